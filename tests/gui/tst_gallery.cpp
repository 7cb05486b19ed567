// Renders every widget and dialog of the kit to PNG files under the build tree
// (gallery/scale-1.0, gallery/scale-1.5) with the real skin pictures when the
// source tree has them, so the look can be reviewed by eye. The checks make
// sure every picture was written at the expected size and is not blank.

#include "TarnAction.h"
#include "TarnLabel.h"
#include "TarnLineEdit.h"
#include "TarnListItem.h"
#include "TarnMenu.h"
#include "TarnMessageBox.h"
#include "TarnPopBox.h"
#include "TarnProcessDialog.h"
#include "TarnProcessbar.h"
#include "TarnProfileMenuItem.h"
#include "TarnPushButton.h"
#include "TarnSlider.h"
#include "TarnTheme.h"
#include "TarnTreeItem.h"
#include "TarnTreeWidget.h"
#include "TarnUi.h"

#include <QDir>
#include <QLabel>
#include <QMovie>
#include <QPainter>
#include <QSettings>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QString galleryRoot()
{
    return QDir::cleanPath(QStringLiteral(MOUSECFG_APPDIR) + QStringLiteral("/../gallery"));
}

QString skinSource()
{
    const QString source = QStringLiteral(MOUSECFG_SOURCE_DIR);
    return QFileInfo::exists(source + QStringLiteral("/skin/dlg.png")) ? source : QString();
}

void sendEnter(QWidget *w)
{
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(w, &enter);
}

bool isBlank(const QImage &image)
{
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            if (image.pixel(x, y) != first)
                return false;
    return true;
}
} // namespace

class TstGallery : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void render_data();
    void render();

private:
    void save(const QImage &image, const QString &name, const QSize &expected);
    QImage kitSheet(TarnUi &ui);
    QImage menus(TarnUi &ui);
    QImage tree(TarnUi &ui);
    QImage sliderWithTip(TarnUi &ui);

    QString m_strOut;
};

void TstGallery::initTestCase()
{
    if (skinSource().isEmpty())
        qWarning("No skin pictures in the source tree yet: the gallery shows the kit without them");
    QDir(galleryRoot()).removeRecursively();
}

void TstGallery::render_data()
{
    QTest::addColumn<double>("scale");
    QTest::addColumn<int>("theme");
    QTest::newRow("scale-1.0") << 1.0 << 2;
    QTest::newRow("scale-1.5") << 1.5 << 6;
}

void TstGallery::save(const QImage &image, const QString &name, const QSize &expected)
{
    const QString path = m_strOut + QLatin1Char('/') + name + QStringLiteral(".png");
    QVERIFY2(image.save(path), qPrintable(path));
    const QImage back(path);
    QCOMPARE(back.size(), expected);
    QVERIFY2(!isBlank(back), qPrintable(name));
}

void TstGallery::render()
{
    QFETCH(double, scale);
    QFETCH(int, theme);
    m_strOut = galleryRoot() + QLatin1Char('/') + QString::fromLatin1(QTest::currentDataTag());
    QVERIFY(QDir().mkpath(m_strOut));

    QTemporaryDir config;
    QVERIFY(config.isValid());
    {
        QSettings ini(config.path() + QStringLiteral("/Config.ini"), QSettings::IniFormat);
        ini.setValue(QStringLiteral("FONT_LIST/FONT_0"), QStringLiteral("DejaVu Sans"));
        ini.setValue(QStringLiteral("FONT_LIST/FONT_SIZE_0"), 12);
        ini.setValue(QStringLiteral("Config/GColorID"), theme);
    }
    const QString appDir = skinSource().isEmpty() ? config.path() : skinSource();
    TarnUi ui(StorageDirs{appDir, config.path()}, scale);
    auto s = [&](int design) { return ui.scaled(design); };

    const QImage sheet = kitSheet(ui);
    save(sheet, QStringLiteral("kit"), QSize(s(520), s(420)));
    const QImage menuImage = menus(ui);
    save(menuImage, QStringLiteral("menus"), menuImage.size());
    const QImage treeImage = tree(ui);
    save(treeImage, QStringLiteral("tree"), QSize(s(200) * 2 + s(10), s(330)));
    const QImage slider = sliderWithTip(ui);
    save(slider, QStringLiteral("slider"), QSize(s(260), s(70)));

    const struct
    {
        int kind;
        const char *file;
        const char *message;
    } boxes[] = {
        {1, "messagebox-1-question", "Are you sure you want reset all profiles?"},
        {2, "messagebox-2-warning", "AT LEAST ONE CLICK FUNCTION TO BE RETAINED."},
        {4, "messagebox-4-disconnect", "Dongle Disconnect!"},
    };
    for (const auto &b : boxes) {
        TarnMessageBox box(b.kind, QString(), QObject::tr("Warning"), QObject::tr(b.message), nullptr, false,
                           Qt::FramelessWindowHint);
        save(box.grab().toImage(), QString::fromLatin1(b.file), QSize(s(478), s(309)));
    }

    TarnPopBox pop(QStringLiteral("NAME"), QStringLiteral("Profile 1"));
    save(pop.grab().toImage(), QStringLiteral("popbox"), pop.size());

    TarnProcessDialog progress;
    if (progress.movie()->isValid())
        progress.movie()->jumpToFrame(3);
    save(progress.grab().toImage(), QStringLiteral("processdialog"), QSize(s(128), s(128)));
}

QImage TstGallery::kitSheet(TarnUi &ui)
{
    auto s = [&](int design) { return ui.scaled(design); };
    QWidget back;
    back.setFixedSize(s(520), s(420));
    back.setAutoFillBackground(true);
    QPalette palette = back.palette();
    palette.setColor(QPalette::Window, QColor(18, 18, 20));
    back.setPalette(palette);

    auto *panel = new QWidget(&back);
    TarnUi::applyPanelBackground(panel);
    panel->setGeometry(s(10), s(10), s(500), s(400));

    const QStringList tab{"/skin/tabbutton-1.png", "/skin/tabbutton-3.png", "/skin/tabbutton-2.png"};
    const char *const names[] = {"CUSTOMIZE", "DPI", "MACRO"};
    for (int i = 0; i < 3; ++i) {
        auto *button = new TarnPushButton(tab, QString(), panel);
        button->setText(QObject::tr(names[i]));
        button->setGeometry(s(10), s(10 + 34 * i), s(154), s(29));
        if (i == 0)
            button->setSelected(true);
        if (i == 1)
            sendEnter(button);
    }
    auto *disabled = new TarnPushButton(tab, QString(), panel);
    disabled->setText(QStringLiteral("Apply"));
    disabled->setGeometry(s(10), s(112), s(154), s(29));
    disabled->setEnabled(false);

    auto *close = new TarnPushButton({"/skin/close-1.png", "/skin/close-2.png", "/skin/close-3.png"}, QString(), panel);
    close->setGeometry(s(470), s(10), s(19), s(19));
    auto *minimise = new TarnPushButton({"/skin/min-1.png", "/skin/min-2.png", "/skin/min-3.png"}, QString(), panel);
    minimise->setGeometry(s(449), s(10), s(19), s(19));
    auto *lang = new TarnPushButton({"/skin/lang.png", "/skin/lang.png", "/skin/lang.png"}, QString(), panel);
    lang->setText(QStringLiteral("English"));
    lang->setGeometry(s(340), s(10), s(105), s(20));
    auto *rate = new TarnPushButton({"/skin/rate.png", "/skin/rate.png", "/skin/rate.png"}, QString(), panel);
    rate->setText(QStringLiteral("1000 HZ"));
    rate->setGeometry(s(340), s(40), s(150), s(24));
    auto *single = new TarnPushButton({"/skin/profilesel.png"}, QStringLiteral("/skin/keybo.png"), panel);
    single->setText(QStringLiteral("SINGLE KEY"));
    single->setGeometry(s(340), s(72), s(150), s(24));

    auto *title = new TarnLabel(QObject::tr("POINTER SPEED"), panel);
    title->setGeometry(s(180), s(10), s(150), s(20));
    QPalette white = title->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    title->setPalette(white);
    auto *value = new TarnLabel(panel);
    value->setText(12000);
    value->setGeometry(s(180), s(34), s(150), s(20));
    QPalette accent = value->palette();
    accent.setColor(QPalette::WindowText, ui.themeColor());
    value->setPalette(accent);

    const int fontPx = s(16);
    auto *battery = new TarnProcessbar(panel);
    battery->setGeometry(s(10), s(160), s(71), s(34));
    battery->setRange(0, 100);
    battery->setValue(70);
    battery->setFormat(QStringLiteral("%p%"));
    battery->setStyleSheet(QStringLiteral("QProgressBar{background-color:white;border:none;border-radius:2px;"
                                          "text-align:center;font:bold %1px;color:black;}"
                                          "QProgressBar::chunk{background-color:%2;border-radius:2px;}")
                               .arg(fontPx)
                               .arg(tarnRgb(ui.themeColor())));
    auto *off = new TarnProcessbar(panel);
    off->setGeometry(s(90), s(160), s(110), s(34));
    off->setRange(0, 100);
    off->setValue(10);
    off->setTextVisible(false);
    off->setFormat(QObject::tr("MOUSE OFF"));
    off->setTextVisible(true);
    off->setStyleSheet(QStringLiteral("QProgressBar{background-color:rgb(100,100,100);border:none;border-radius:2px;"
                                      "text-align:center;font:bold %1px;color:white;}"
                                      "QProgressBar::chunk{background-color:rgb(100,100,100);border-radius:2px;}")
                           .arg(fontPx));

    auto *edit = new TarnLineEdit(panel);
    edit->setGeometry(s(180), s(64), s(150), s(24));
    edit->setText(QStringLiteral("name_1"));
    edit->setFont(ui.languageFont());
    auto *item = new TarnListItem(QStringLiteral("macro_1"), panel);
    item->setGeometry(s(180), s(96), s(150), s(24));

    // The profile rows live in a menu, outside any panel: no panel background
    // cascades onto their labels.
    for (int i = 0; i < 3; ++i) {
        auto *row = new TarnProfileMenuItem(QStringLiteral("Profile %1").arg(i + 1), i == 1, &back);
        row->move(s(20), s(220 + 26 * i));
        if (i == 2)
            sendEnter(row);
    }

    auto *rowA = new TarnTreeItem(QStringLiteral("LEFT CLICK"), QStringLiteral("/skin/tabbutton-1.png"), panel);
    rowA->move(s(220), s(210));
    auto *rowB = new TarnTreeItem(QStringLiteral("RIGHT CLICK"), QStringLiteral("/skin/tabbutton-1.png"), panel);
    rowB->move(s(220), s(238));
    rowB->setState(1);
    auto *rowC = new TarnTreeItem(QStringLiteral("FORWARD"), QStringLiteral("/skin/tabbutton-1.png"), panel);
    rowC->move(s(220), s(266));
    rowC->setState(2);

    auto *caption = new TarnLabel(QStringLiteral("Panel background, rows: plain / hover / pressed"), panel);
    caption->setGeometry(s(10), s(370), s(480), s(20));
    caption->setPalette(white);
    return back.grab().toImage();
}

QImage TstGallery::menus(TarnUi &ui)
{
    TarnMenu own;
    own.setFixedWidth(ui.scaled(150));
    own.addAction(new TarnAction(QStringLiteral("125 HZ"), &own));
    auto *checked = new TarnAction(QStringLiteral("1000 HZ"), &own);
    checked->setCheckable(true);
    checked->setChecked(true);
    own.addAction(checked);
    own.addSeparator();
    auto *disabled = new TarnAction(QStringLiteral("FLASH"), &own);
    disabled->setEnabled(false);
    own.addAction(disabled);
    auto *sub = new TarnMenu(QStringLiteral("Media"), &own);
    sub->addAction(QStringLiteral("Play/Pause"));
    own.addMenu(sub);
    own.popup(QPoint(0, 0));
    own.setActiveAction(own.actions().at(0));

    QMenu styled;
    ui.applyMenuStyle(&styled);
    styled.setFixedWidth(ui.scaled(150));
    styled.addAction(new TarnAction(QStringLiteral("Left"), &styled));
    styled.addAction(new TarnAction(QStringLiteral("Right"), &styled));
    auto *styledChecked = new TarnAction(QStringLiteral("English"), &styled);
    styledChecked->setCheckable(true);
    styledChecked->setChecked(true);
    styled.addAction(styledChecked);
    styled.addSeparator();
    styled.addAction(new TarnAction(QStringLiteral("Button Off"), &styled));
    styled.popup(QPoint(400, 0));
    styled.setActiveAction(styled.actions().at(1));

    const QImage a = own.grab().toImage();
    const QImage b = styled.grab().toImage();
    own.hide();
    styled.hide();
    QImage sheet(a.width() + b.width() + ui.scaled(30), qMax(a.height(), b.height()) + ui.scaled(20),
                 QImage::Format_ARGB32);
    sheet.fill(QColor(18, 18, 20));
    QPainter painter(&sheet);
    painter.drawImage(ui.scaled(10), ui.scaled(10), a);
    painter.drawImage(a.width() + ui.scaled(20), ui.scaled(10), b);
    return sheet;
}

QImage TstGallery::tree(TarnUi &ui)
{
    TarnTreeWidget widget;
    widget.setFixedSize(ui.scaled(200), ui.scaled(330));
    widget.setHeaderHidden(true);
    widget.setSelectionMode(QAbstractItemView::NoSelection);
    widget.setIndentation(ui.scaled(12));
    widget.setStyleSheet(QStringLiteral("QTreeWidget{background-color:rgb(33,35,35);border:none;}"));
    const char *const rows[] = {"LEFT CLICK", "MIDDLE CLICK", "RIGHT CLICK", "FORWARD", "BACKWARD"};
    for (const char *name : rows) {
        auto *top = new QTreeWidgetItem(&widget);
        top->setSizeHint(0, QSize(ui.scaled(148), ui.scaled(26)));
        widget.setItemWidget(top, 0,
                             new TarnTreeItem(QString::fromLatin1(name), QStringLiteral("/skin/tabbutton-1.png")));
        for (const char *child : {"PRESS DOWN", "BOUNCE UP"}) {
            auto *item = new QTreeWidgetItem(top);
            item->setSizeHint(0, QSize(ui.scaled(148), ui.scaled(26)));
            widget.setItemWidget(item, 0,
                                 new TarnTreeItem(QString::fromLatin1(child), QStringLiteral("/skin/tabbutton-1.png")));
        }
    }
    widget.topLevelItem(2)->setExpanded(true);
    widget.show();
    if (!QTest::qWaitForWindowExposed(&widget))
        qWarning("tree window not exposed");
    QWidget *viewport = widget.viewport();
    // Pointer over the first row, then pressing the second child of the open entry.
    const QPoint over = widget.visualItemRect(widget.topLevelItem(0)).center();
    QMouseEvent move(QEvent::MouseMove, over, viewport->mapToGlobal(over), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    const QImage hover = widget.grab().toImage();
    const QPoint press = widget.visualItemRect(widget.topLevelItem(2)->child(1)).center();
    QMouseEvent down(QEvent::MouseMove, press, viewport->mapToGlobal(press), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(viewport, &down);
    const QImage pressed = widget.grab().toImage();
    // Left: pointer over "LEFT CLICK"; right: "BOUNCE UP" of the open entry pressed.
    const int gap = ui.scaled(10);
    QImage sheet(hover.width() * 2 + gap, hover.height(), QImage::Format_ARGB32);
    sheet.fill(QColor(18, 18, 20));
    QPainter painter(&sheet);
    painter.drawImage(0, 0, hover);
    painter.drawImage(hover.width() + gap, 0, pressed);
    return sheet;
}

QImage TstGallery::sliderWithTip(TarnUi &ui)
{
    auto s = [&](int design) { return ui.scaled(design); };
    QWidget back;
    back.setFixedSize(s(260), s(70));
    back.setAutoFillBackground(true);
    QPalette palette = back.palette();
    palette.setColor(QPalette::Window, QColor(33, 35, 35));
    back.setPalette(palette);
    auto *slider = new TarnSlider(Qt::Horizontal, &back);
    slider->setRange(1, 20);
    slider->setValue(8);
    slider->setGeometry(s(20), s(36), s(220), s(22));
    const QString rgb = tarnRgb(ui.themeColor());
    slider->setStyleSheet(QStringLiteral("QSlider{background:transparent;}"
                                         "QSlider::groove:horizontal{height:%1px;background:%2;border-radius:%3px;}"
                                         "QSlider::add-page:horizontal{height:%1px;background:rgb(150,150,150);"
                                         "border-radius:%3px;}"
                                         "QSlider::handle:horizontal{width:%4px;background:%2;margin:-%5px 0px;"
                                         "border-radius:%3px;}")
                              .arg(s(6))
                              .arg(rgb)
                              .arg(s(3))
                              .arg(s(12))
                              .arg(s(5)));
    slider->setValueTipEnabled(true);
    back.show();
    if (!QTest::qWaitForWindowExposed(&back))
        qWarning("slider window not exposed");
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = Qt::Horizontal;
    option.minimum = 1;
    option.maximum = 20;
    option.sliderPosition = slider->value();
    option.sliderValue = slider->value();
    const QPoint grip =
        slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider).center();
    QTest::mousePress(slider, Qt::LeftButton, {}, grip);
    QImage sheet = back.grab().toImage();
    QLabel *tip = slider->valueTip();
    if (tip && tip->isVisible()) {
        QPainter painter(&sheet);
        painter.drawImage(back.mapFromGlobal(tip->pos()), tip->grab().toImage());
    }
    QTest::mouseRelease(slider, Qt::LeftButton, {}, grip);
    return sheet;
}

QTEST_MAIN(TstGallery)
#include "tst_gallery.moc"
