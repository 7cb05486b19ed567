#pragma once
// What screen readers and automation get of a widget tree, for any GUI test:
// walks the accessible interfaces from a shown widget down and reports every
// control a user can operate (enabled, visible, with an action or a value)
// that has no name, and every command reported as a check box. Hidden and
// disabled widgets are not asked about; decorative pictures are not listed.
//
//     window.show();
//     QVERIFY_ACCESSIBLE(&window);

#include "TarnPushButton.h"

#include <QAccessible>
#include <QMetaEnum>
#include <QSet>
#include <QStringList>
#include <QWidget>

namespace accessibility_check {

inline QString describe(QAccessibleInterface *iface)
{
    const QObject *object = iface->object();
    QString id = QStringLiteral("(no object)");
    if (object)
        id = object->objectName().isEmpty() ? QString::fromLatin1(object->metaObject()->className())
                                            : object->objectName();
    const char *role = QMetaEnum::fromType<QAccessible::Role>().valueToKey(iface->role());
    return QStringLiteral("%1 (%2 \"%3\")").arg(id, QLatin1String(role ? role : "?"), iface->text(QAccessible::Name));
}

// A button that runs something but is reported as a check box: a TarnPushButton
// whose kind is not Toggle, or a plain checkable push button.
inline bool isCommandAsCheckBox(QAccessibleInterface *iface)
{
    if (iface->role() != QAccessible::CheckBox)
        return false;
    if (auto *button = qobject_cast<TarnPushButton *>(iface->object()))
        return button->kind() != TarnPushButton::Kind::Toggle;
    return qobject_cast<QPushButton *>(iface->object()) != nullptr;
}

inline void walk(QAccessibleInterface *iface, const QString &path, QStringList &problems,
                 QSet<QAccessibleInterface *> &seen)
{
    if (!iface || !iface->isValid() || seen.contains(iface) || seen.size() > 5000)
        return;
    seen.insert(iface);
    const QAccessible::State state = iface->state();
    if (state.invisible)
        return;
    const QString here = path.isEmpty() ? describe(iface) : path + QStringLiteral(" > ") + describe(iface);
    QAccessibleActionInterface *actions = iface->actionInterface();
    // AT-SPI offers Increase/Decrease on anything with a value, so a value
    // makes a control too.
    const bool operable = (actions && !actions->actionNames().isEmpty()) || iface->valueInterface();
    if (!state.disabled && operable && iface->text(QAccessible::Name).trimmed().isEmpty())
        problems << QStringLiteral("no name: ") + here;
    if (isCommandAsCheckBox(iface))
        problems << QStringLiteral("command reported as a check box: ") + here;
    for (int i = 0; i < iface->childCount(); ++i)
        walk(iface->child(i), here, problems, seen);
}

} // namespace accessibility_check

// One line per fault, with the path of objectNames (or classes), roles and names.
inline QStringList accessibilityProblems(QWidget *root)
{
    QStringList problems;
    QSet<QAccessibleInterface *> seen;
    accessibility_check::walk(QAccessible::queryAccessibleInterface(root), QString(), problems, seen);
    return problems;
}

#define QVERIFY_ACCESSIBLE(widget)                                                                                     \
    do {                                                                                                               \
        const QStringList accessibilityProblems_ = accessibilityProblems(widget);                                      \
        QVERIFY2(accessibilityProblems_.isEmpty(), qPrintable(accessibilityProblems_.join(QLatin1Char('\n'))));        \
    } while (false)
