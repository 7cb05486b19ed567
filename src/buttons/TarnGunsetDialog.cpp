#include "TarnGunsetDialog.h"

#include "GunSet.h"
#include "StoragePaths.h"
#include "TarnAction.h"
#include "TarnLabel.h"
#include "TarnMenu.h"
#include "TarnMessageBox.h"
#include "TarnPushButton.h"
#include "TarnUi.h"

#include <QLineEdit>
#include <QPainter>
#include <QSpinBox>
#include <QToolButton>

namespace {
constexpr int kDesignWidth = 478;
constexpr int kDesignHeight = 309;
constexpr int kColumnX = 125; // first bullet column
constexpr int kColumnStep = 66;
constexpr int kBoxWidth = 50;
constexpr int kRailX = kColumnX; // the rail's notches sit at 25 + 66 k
constexpr int kRailY = 166;
constexpr int kBulletY = 132;
constexpr int kRowY[3] = {111, 187, 212}; // delay, Y, X
const char *const kRowNames[3] = {QT_TRANSLATE_NOOP("TarnGunsetDialog", "DELAY(MS)"),
                                  QT_TRANSLATE_NOOP("TarnGunsetDialog", "Y"),
                                  QT_TRANSLATE_NOOP("TarnGunsetDialog", "X")};
const char *const kBoxNames[3] = {"gunDelay_%1", "gunY_%1", "gunX_%1"};

QPalette whiteText(QPalette palette)
{
    palette.setColor(QPalette::WindowText, Qt::white);
    return palette;
}
} // namespace

TarnGunsetDialog::TarnGunsetDialog(QWidget *parent, double scale)
    : TarnSkinDialog(QStringLiteral("/skin/dlg_gun.png"), parent)
    , m_dScale(scale > 0 ? scale : TarnUi::currentScale())
{
    setObjectName(QStringLiteral("gunSetDialog"));
    setWindowTitle(tr("Gun Set"));
    setModal(true);
    setFixedSize(s(kDesignWidth), s(kDesignHeight));
    m_Rail.load(TarnUi::currentImagePath(QStringLiteral("/skin/gunset_slider.png")));
    m_Bullet.load(TarnUi::currentImagePath(QStringLiteral("/skin/gunset_bullet.png")));

    auto *heading = new TarnLabel(tr("GUN SET"), this);
    heading->setObjectName(QStringLiteral("gunSetHeading"));
    heading->setAlignment(Qt::AlignCenter);
    heading->setPalette(whiteText(heading->palette()));
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    heading->setGeometry(s(30), s(8), s(418), s(30));

    auto *nameLabel = new TarnLabel(tr("GUNFILE NAME"), this);
    nameLabel->setPalette(whiteText(nameLabel->palette()));
    nameLabel->setGeometry(s(29), s(50), s(120), s(22));
    m_pNameEdit = new QLineEdit(this);
    m_pNameEdit->setObjectName(QStringLiteral("gunNameEdit"));
    m_pNameEdit->setMaxLength(kGunMaxNameLength);
    m_pNameEdit->setAccessibleName(tr("GUNFILE NAME"));
    m_pNameEdit->setFont(TarnUi::currentFont());
    m_pNameEdit->setGeometry(s(150), s(50), s(220), s(22));
    nameLabel->setBuddy(m_pNameEdit);

    auto *countLabel = new TarnLabel(tr("BULLETS"), this);
    countLabel->setPalette(whiteText(countLabel->palette()));
    countLabel->setGeometry(s(29), s(78), s(120), s(22));
    m_pCountBtn = new TarnPushButton({QStringLiteral("/skin/bulletsel.png")}, QString(), this);
    m_pCountBtn->setObjectName(QStringLiteral("gunBulletCount"));
    m_pCountBtn->setKind(TarnPushButton::Kind::MenuButton);
    m_pCountBtn->setAccessibleName(tr("BULLETS"));
    m_pCountBtn->setGeometry(s(150), s(78), s(70), s(22));
    m_pCountMenu = new TarnMenu(m_pCountBtn);
    m_pCountMenu->setFixedWidth(s(70));
    for (int n = 1; n <= kGunMaxBullets; ++n) {
        auto *entry = new TarnAction(QString::number(n), m_pCountMenu);
        connect(entry, &QAction::triggered, this, [this, n] { setBulletCount(n); });
        m_pCountMenu->addAction(entry);
    }
    m_pCountBtn->setMenu(m_pCountMenu);

    for (int row = 0; row < 3; ++row) {
        auto *label = new TarnLabel(tr(kRowNames[row]), this);
        label->setPalette(whiteText(label->palette()));
        label->setGeometry(s(29), s(kRowY[row]), s(90), s(20));
    }
    for (int b = 0; b < kGunMaxBullets; ++b) {
        for (int row = 0; row < 3; ++row) {
            auto *box = new QSpinBox(this);
            box->setObjectName(QString::fromLatin1(kBoxNames[row]).arg(b));
            box->setRange(row == 0 ? 1 : -100, row == 0 ? 999 : 100);
            box->setValue(row == 0 ? 100 : 0);
            box->setFont(TarnUi::currentFont());
            box->setAccessibleName(tr("Bullet %1 %2").arg(b + 1).arg(tr(kRowNames[row])));
            box->setGeometry(s(kColumnX + kColumnStep * b), s(kRowY[row]), s(kBoxWidth), s(20));
            m_aBoxes[std::size_t(b)][std::size_t(row)] = box;
        }
    }

    const QColor theme = frameColor();
    m_pYesBtn = makeToolButton(QStringLiteral("msgBoxYesBtn"), QStringLiteral(":/yes_Btn"), tr("Yes"), theme);
    m_pNoBtn = makeToolButton(QStringLiteral("msgBoxNoBtn"), QStringLiteral(":/no_Btn"), tr("No"), theme);
    connect(m_pYesBtn, SIGNAL(released()), this, SLOT(OnYesClick()));
    connect(m_pNoBtn, SIGNAL(released()), this, SLOT(reject()));
    placeToolButton(m_pYesBtn, s(160), s(252), s(34));
    placeToolButton(m_pNoBtn, s(318), s(252), s(34));
    setDefaultToolButton(m_pYesBtn);

    // Reading order: name, count, then the table bullet by bullet, then the answers.
    QWidget *previous = m_pNameEdit;
    setTabOrder(previous, m_pCountBtn);
    previous = m_pCountBtn;
    for (const auto &column : m_aBoxes) {
        for (QSpinBox *box : column) {
            setTabOrder(previous, box);
            previous = box;
        }
    }
    setTabOrder(previous, m_pYesBtn);
    setTabOrder(m_pYesBtn, m_pNoBtn);
    m_pNameEdit->setFocus();
    setBulletCount(kGunMaxBullets);
}

int TarnGunsetDialog::s(int design) const
{
    return int(design * m_dScale);
}

QSpinBox *TarnGunsetDialog::delayBox(int bullet) const
{
    return bullet >= 0 && bullet < kGunMaxBullets ? m_aBoxes[std::size_t(bullet)][0] : nullptr;
}

QSpinBox *TarnGunsetDialog::yBox(int bullet) const
{
    return bullet >= 0 && bullet < kGunMaxBullets ? m_aBoxes[std::size_t(bullet)][1] : nullptr;
}

QSpinBox *TarnGunsetDialog::xBox(int bullet) const
{
    return bullet >= 0 && bullet < kGunMaxBullets ? m_aBoxes[std::size_t(bullet)][2] : nullptr;
}

void TarnGunsetDialog::setBulletCount(int count)
{
    m_iCount = qBound(1, count, kGunMaxBullets);
    for (int b = 0; b < kGunMaxBullets; ++b) {
        for (QSpinBox *box : m_aBoxes[std::size_t(b)])
            box->setVisible(b < m_iCount);
    }
    m_pCountBtn->setText(QString::number(m_iCount));
    update();
}

void TarnGunsetDialog::warn(const QString &text)
{
    if (m_ShowMessage) {
        m_ShowMessage(this, text);
        return;
    }
    TarnMessageBox box(TarnMessageBox::Warning, QString(), tr("Warning"), text, this);
    box.exec();
}

void TarnGunsetDialog::OnYesClick()
{
    const QString name = m_pNameEdit->text();
    if (name.isEmpty()) {
        warn(tr("Please input file name."));
        return;
    }
    // The name becomes a file in the macro folder and nothing else.
    if (!isSafeFileName(name) || name.trimmed() != name) {
        warn(tr("A file name cannot contain / or \\, nor begin or end with a space."));
        return;
    }
    std::vector<GunBullet> bullets;
    for (int b = 0; b < m_iCount; ++b) {
        const auto &column = m_aBoxes[std::size_t(b)];
        bullets.push_back({column[0]->value(), column[1]->value(), column[2]->value()});
    }
    m_Actions = gunSetActions(bullets);
    m_strName = name;
    accept();
}

void TarnGunsetDialog::paintEvent(QPaintEvent *event)
{
    TarnSkinDialog::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect rail(s(kRailX), s(kRailY), s(314), s(14));
    if (!m_Rail.isNull())
        painter.drawPixmap(rail, m_Rail);
    if (m_Bullet.isNull())
        return;
    for (int b = 0; b < m_iCount; ++b) {
        const int centre = kColumnX + kColumnStep * b + kBoxWidth / 2;
        painter.drawPixmap(QRect(s(centre - 7), s(kBulletY), s(14), s(36)), m_Bullet);
    }
}
