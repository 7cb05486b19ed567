#pragma once
// The message the utility hands to the on-screen display companion, and the
// companion's reading of it. Plain C++ without Qt: the utility, the companion
// and the Win32 test program (built with mingw-w64) all use this one copy.
//
// Layout, 1044 bytes, little-endian:
//   0    512  the text, UTF-16, NUL-terminated, zero-padded (at most 255 units)
//   512  4    fade-in time in ms                       (the utility sends 0)
//   516  4    time shown at full strength in ms        (1500)
//   520  4    position: 0 = bottom centre of the primary screen; the only one
//             the companion knows, other values are read as 0     (0)
//   524  4    text colour 0x00BBGGRR: red in the low byte
//   528  4    text height in pixels at 96 DPI          (60)
//   532  512  the font face, UTF-16, NUL-terminated, zero-padded ("Arial")

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace osdblock {

constexpr std::size_t kBlockSize = 1044;
constexpr std::size_t kTextOffset = 0;
constexpr std::size_t kFadeInOffset = 512;
constexpr std::size_t kShowTimeOffset = 516;
constexpr std::size_t kPositionOffset = 520;
constexpr std::size_t kColourOffset = 524;
constexpr std::size_t kHeightOffset = 528;
constexpr std::size_t kFontOffset = 532;
constexpr std::size_t kStringBytes = 512;
// Code units of a string field, leaving room for the terminating NUL.
constexpr std::size_t kMaxUnits = kStringBytes / 2 - 1;

constexpr std::int32_t kFadeInMs = 0;
constexpr std::int32_t kShowTimeMs = 1500;
constexpr std::int32_t kPosition = 0;
constexpr std::int32_t kTextHeight = 60;

// Title of the companion's window, which the utility looks for.
extern const char16_t kWindowTitle[];
// Font face the utility asks for.
extern const char16_t kFontFace[];

using Block = std::array<std::uint8_t, kBlockSize>;

// 0x00BBGGRR from the three components.
std::uint32_t colourRef(int red, int green, int blue);

// A string longer than 255 UTF-16 code units keeps its first 255; a surrogate
// pair that the cut would split is dropped whole, so the text never ends in
// half a character (254 units then).
std::u16string fitString(const std::u16string &text);

// The block for text in the given colour with the fixed fields above.
Block buildBlock(const std::u16string &text, std::uint32_t colour);

struct Message
{
    std::u16string text;
    std::int32_t fadeInMs = 0;
    std::int32_t showTimeMs = 0;
    std::int32_t position = 0;
    std::uint32_t colour = 0;
    std::int32_t textHeight = 0;
    std::u16string font;
};

// Reads a block. False (and *out untouched) unless size is exactly
// kBlockSize. A string field without a NUL ends after 255 units; whatever
// follows the first NUL is ignored.
bool readBlock(const std::uint8_t *data, std::size_t size, Message *out);

// Local socket of the companion for a user (Linux): the window title made
// into a file name, and the user id, in dir (the user's runtime directory).
std::string socketPath(const std::string &dir, unsigned uid);

#ifndef _WIN32
// The socket of the current user's companion: in $XDG_RUNTIME_DIR (private to
// the user) when it is a writable absolute directory, else in $TMPDIR or /tmp.
std::string userSocketPath();
#endif

} // namespace osdblock
