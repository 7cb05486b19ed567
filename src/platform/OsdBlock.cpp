#include "OsdBlock.h"

#include <cstdlib>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace osdblock {

const char16_t kWindowTitle[] = u"QRVM Wireless Mouse OSD";
const char16_t kFontFace[] = u"Arial";

namespace {

void putU32(Block &block, std::size_t offset, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        block[offset + std::size_t(i)] = std::uint8_t(value >> (8 * i));
}

std::uint32_t getU32(const std::uint8_t *data, std::size_t offset)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | data[offset + std::size_t(i)];
    return value;
}

void putString(Block &block, std::size_t offset, const std::u16string &text)
{
    const std::u16string fitted = fitString(text);
    for (std::size_t i = 0; i < fitted.size(); ++i) {
        block[offset + 2 * i] = std::uint8_t(fitted[i] & 0xff);
        block[offset + 2 * i + 1] = std::uint8_t(fitted[i] >> 8);
    }
}

std::u16string getString(const std::uint8_t *data, std::size_t offset)
{
    std::u16string text;
    for (std::size_t i = 0; i < kMaxUnits; ++i) {
        const char16_t unit = char16_t(data[offset + 2 * i] | (data[offset + 2 * i + 1] << 8));
        if (unit == 0)
            break;
        text.push_back(unit);
    }
    return text;
}

bool isHighSurrogate(char16_t unit)
{
    return unit >= 0xd800 && unit <= 0xdbff;
}

} // namespace

std::uint32_t colourRef(int red, int green, int blue)
{
    return std::uint32_t(red & 0xff) | (std::uint32_t(green & 0xff) << 8) | (std::uint32_t(blue & 0xff) << 16);
}

std::u16string fitString(const std::u16string &text)
{
    if (text.size() <= kMaxUnits)
        return text;
    std::u16string cut = text.substr(0, kMaxUnits);
    if (isHighSurrogate(cut.back()))
        cut.pop_back();
    return cut;
}

Block buildBlock(const std::u16string &text, std::uint32_t colour)
{
    Block block{};
    putString(block, kTextOffset, text);
    putU32(block, kFadeInOffset, std::uint32_t(kFadeInMs));
    putU32(block, kShowTimeOffset, std::uint32_t(kShowTimeMs));
    putU32(block, kPositionOffset, std::uint32_t(kPosition));
    putU32(block, kColourOffset, colour & 0x00ffffffu);
    putU32(block, kHeightOffset, std::uint32_t(kTextHeight));
    putString(block, kFontOffset, kFontFace);
    return block;
}

bool readBlock(const std::uint8_t *data, std::size_t size, Message *out)
{
    if (!data || size != kBlockSize)
        return false;
    Message m;
    m.text = getString(data, kTextOffset);
    m.fadeInMs = std::int32_t(getU32(data, kFadeInOffset));
    m.showTimeMs = std::int32_t(getU32(data, kShowTimeOffset));
    m.position = std::int32_t(getU32(data, kPositionOffset));
    m.colour = getU32(data, kColourOffset);
    m.textHeight = std::int32_t(getU32(data, kHeightOffset));
    m.font = getString(data, kFontOffset);
    *out = m;
    return true;
}

std::string socketPath(const std::string &dir, unsigned uid)
{
    std::string name;
    for (const char16_t *c = kWindowTitle; *c; ++c)
        name.push_back(*c == u' ' ? '-' : char(*c));
    return dir + "/" + name + "-" + std::to_string(uid);
}

#ifndef _WIN32
std::string userSocketPath()
{
    const char *xdg = std::getenv("XDG_RUNTIME_DIR");
    struct stat st;
    std::string dir;
    if (xdg && xdg[0] == '/' && ::stat(xdg, &st) == 0 && S_ISDIR(st.st_mode) && ::access(xdg, W_OK) == 0) {
        dir = xdg;
    } else {
        const char *tmp = std::getenv("TMPDIR");
        dir = tmp && tmp[0] == '/' ? tmp : "/tmp";
    }
    while (dir.size() > 1 && dir.back() == '/')
        dir.pop_back();
    return socketPath(dir, unsigned(::geteuid()));
}
#endif

} // namespace osdblock
