#include "TarnAccessible.h"

#include "TarnListItem.h"
#include "TarnMessageBox.h"
#include "TarnProcessDialog.h"
#include "TarnProcessbar.h"
#include "TarnPushButton.h"
#include "TarnTreeItem.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QDebug>
#include <QMetaObject>

namespace {

const char kDecorativeProperty[] = "tarnDecorative";

// A picture for the eye only.
class DecorationInterface : public QAccessibleWidget
{
public:
    explicit DecorationInterface(QWidget *widget)
        : QAccessibleWidget(widget, QAccessible::Graphic)
    {
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.invisible = true;
        state.focusable = false;
        return state;
    }
    QString text(QAccessible::Text) const override { return QString(); }
    int childCount() const override { return 0; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    QStringList actionNames() const override { return QStringList(); }
};

// Lists its child widgets as Qt does, without the decorative ones, so tools
// never meet them. Used for plain widgets, frames and dialogs (with the roles
// Qt gives those) and for the kit's own dialogs.
class ContainerInterface : public QAccessibleWidget
{
public:
    ContainerInterface(QWidget *widget, QAccessible::Role role)
        : QAccessibleWidget(widget, role)
    {
    }

    int childCount() const override
    {
        int count = 0;
        for (int i = 0; i < QAccessibleWidget::childCount(); ++i)
            count += isShown(QAccessibleWidget::child(i)) ? 1 : 0;
        return count;
    }

    QAccessibleInterface *child(int index) const override
    {
        int seen = 0;
        for (int i = 0; i < QAccessibleWidget::childCount(); ++i) {
            QAccessibleInterface *candidate = QAccessibleWidget::child(i);
            if (isShown(candidate) && seen++ == index)
                return candidate;
        }
        return nullptr;
    }

    int indexOfChild(const QAccessibleInterface *wanted) const override
    {
        int seen = 0;
        for (int i = 0; wanted && i < QAccessibleWidget::childCount(); ++i) {
            QAccessibleInterface *candidate = QAccessibleWidget::child(i);
            if (!isShown(candidate))
                continue;
            if (candidate == wanted)
                return seen;
            ++seen;
        }
        return -1;
    }

private:
    static bool isShown(const QAccessibleInterface *child) { return child && !tarnIsDecorative(child->object()); }
};

class ButtonInterface : public QAccessibleWidget
{
public:
    explicit ButtonInterface(TarnPushButton *button)
        : QAccessibleWidget(button, QAccessible::Button)
    {
    }

    TarnPushButton *button() const { return static_cast<TarnPushButton *>(widget()); }

    QAccessible::Role role() const override
    {
        switch (button()->kind()) {
        case TarnPushButton::Kind::Tab:
            return QAccessible::PageTab;
        case TarnPushButton::Kind::Toggle:
            return QAccessible::CheckBox;
        case TarnPushButton::Kind::MenuButton:
            return QAccessible::ButtonMenu;
        case TarnPushButton::Kind::Command:
            break;
        }
        return QAccessible::Button;
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        const TarnPushButton *b = button();
        state.pressed = b->isDown();
        state.hasPopup = b->menu() != nullptr;
        // The checked flag only counts where the kind gives it a meaning.
        switch (b->kind()) {
        case TarnPushButton::Kind::Tab:
            state.selectable = true;
            state.selected = b->isSelected();
            break;
        case TarnPushButton::Kind::Toggle:
            state.checkable = true;
            state.checked = b->isChecked();
            break;
        case TarnPushButton::Kind::Command:
        case TarnPushButton::Kind::MenuButton:
            break;
        }
        return state;
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return button()->accessibleNameOrText();
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override
    {
        QStringList names;
        if (button()->isEnabled()) {
            names << pressAction();
            if (button()->kind() == TarnPushButton::Kind::Toggle)
                names << toggleAction();
            if (button()->menu())
                names << showMenuAction();
        }
        return names + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &action) override
    {
        TarnPushButton *b = button();
        if (action != pressAction() && action != toggleAction() && action != showMenuAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        if (!b->isEnabled())
            return;
        // Runs once the call has returned: the click may open a modal box or a
        // menu, and the tool waits for the answer to its call meanwhile.
        QMetaObject::invokeMethod(
            b, [b] { b->activate(); }, Qt::QueuedConnection);
    }
};

class ProgressBarInterface : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit ProgressBarInterface(TarnProcessbar *bar)
        : QAccessibleWidget(bar, QAccessible::ProgressBar)
    {
    }

    TarnProcessbar *bar() const { return static_cast<TarnProcessbar *>(widget()); }

    // What the bar shows: "57%", or a fixed text such as "MOUSE OFF".
    QString shownText() const
    {
        const QString format = bar()->format();
        return format.contains(QLatin1Char('%')) ? bar()->text() : format;
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return shownText();
        // AT-SPI carries no value text, so the description says it too.
        if (t == QAccessible::Description && bar()->accessibleDescription().isEmpty())
            return shownText();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        return state;
    }

    void *interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface *>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QVariant currentValue() const override { return bar()->value(); }
    void setCurrentValue(const QVariant &) override {}
    QVariant maximumValue() const override { return bar()->maximum(); }
    QVariant minimumValue() const override { return bar()->minimum(); }
    QVariant minimumStepSize() const override { return 0; }
};

// Message box, name box, progress dialog.
class DialogInterface : public ContainerInterface
{
public:
    DialogInterface(QWidget *dialog, QAccessible::Role role)
        : ContainerInterface(dialog, role)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Description && widget()->accessibleDescription().isEmpty()) {
            if (auto *box = qobject_cast<TarnMessageBox *>(widget()))
                return box->message();
        }
        return ContainerInterface::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = ContainerInterface::state();
        state.modal = widget()->isModal();
        state.busy = qobject_cast<TarnProcessDialog *>(widget()) != nullptr;
        return state;
    }
};

// List and tree rows: named by their text.
class RowInterface : public QAccessibleWidget
{
public:
    RowInterface(QWidget *row, QAccessible::Role role)
        : QAccessibleWidget(row, role)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            if (auto *item = qobject_cast<TarnListItem *>(widget()))
                return item->text();
            if (auto *item = qobject_cast<TarnTreeItem *>(widget()))
                return item->text();
        }
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *tarnAccessibleFactory(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    // Asked first with the object's own class, so a mark on any widget counts.
    if (tarnIsDecorative(object))
        return new DecorationInterface(widget);
    if (className == QLatin1String("TarnPushButton"))
        return new ButtonInterface(static_cast<TarnPushButton *>(widget));
    if (className == QLatin1String("TarnProcessbar"))
        return new ProgressBarInterface(static_cast<TarnProcessbar *>(widget));
    if (className == QLatin1String("TarnMessageBox"))
        return new DialogInterface(widget, QAccessible::AlertMessage);
    if (className == QLatin1String("TarnPopBox") || className == QLatin1String("TarnProcessDialog"))
        return new DialogInterface(widget, QAccessible::Dialog);
    if (className == QLatin1String("TarnListItem"))
        return new RowInterface(widget, QAccessible::ListItem);
    if (className == QLatin1String("TarnTreeItem"))
        return new RowInterface(widget, QAccessible::TreeItem);
    // Qt's own interfaces for these are plain QAccessibleWidgets with these
    // roles; the kit's only leave the decorative children out.
    if (className == QLatin1String("QWidget"))
        return new ContainerInterface(widget, QAccessible::Client);
    if (className == QLatin1String("QFrame"))
        return new ContainerInterface(widget, QAccessible::Border);
    if (className == QLatin1String("QDialog"))
        return new ContainerInterface(widget, QAccessible::Dialog);
    return nullptr;
}

} // namespace

void installTarnAccessibility()
{
    static bool installed = false;
    if (installed)
        return;
    if (!QCoreApplication::instance()) {
        qWarning("installTarnAccessibility: no application object yet; the kit's accessible interfaces wait for it");
        return;
    }
    QAccessible::installFactory(tarnAccessibleFactory);
    installed = true;
}

void tarnMarkDecorative(QWidget *widget)
{
    if (!widget)
        return;
    installTarnAccessibility();
    widget->setProperty(kDecorativeProperty, true);
    // An interface made before the mark (a query, or an event while a tool
    // listens) is dropped; the next query makes the decorative one.
    QAccessibleInterface *existing = QAccessible::queryAccessibleInterface(widget);
    if (existing && !dynamic_cast<DecorationInterface *>(existing))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(existing));
}

bool tarnIsDecorative(const QObject *object)
{
    return object && object->property(kDecorativeProperty).toBool();
}

QString tarnStripMnemonic(const QString &text)
{
    QString stripped;
    stripped.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        // "&x" is x, "&&" is "&"; a last lone '&' goes.
        if (text.at(i) == QLatin1Char('&') && ++i >= text.size())
            break;
        stripped += text.at(i);
    }
    return stripped;
}
