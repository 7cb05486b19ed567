#pragma once
// What screen readers and automation (AT-SPI on Linux, UI Automation on
// Windows) see of the kit's widgets. The kit installs a factory of accessible
// interfaces: a TarnPushButton reports the role of its kind (push button, page
// tab, check box, menu button) rather than the check box Qt would derive from
// the checked flag it toggles for drawing; the battery bar reports the text it
// shows; rows, message boxes and the progress dialog report their roles; a
// picture marked decorative is left to the eye alone. The rules the pages and
// dialogs follow are in README.md beside this file.

#include <QString>

class QObject;
class QWidget;

// Installs the kit's factory (once; later calls return at once). TarnUi's
// constructor and every kit widget with an interface of its own call it, so
// no owner has to. It needs the QApplication: installed after Qt's own
// factory, the kit's is asked first for the classes both know (QLabel).
void installTarnAccessibility();

// Takes a purely decorative picture (logo, mouse picture, connection icons)
// out of what assistive tools see. Qt's AT-SPI bridge exports every child an
// interface lists, whatever its state, so the kit's interfaces for plain
// widgets, frames, dialogs and its own dialogs (the parents the program's
// pictures have) leave marked children out of their lists. Under another
// parent the picture is still listed, as an image with the invisible state,
// which AT-SPI exports as neither VISIBLE nor SHOWING and screen readers skip.
// Works on a widget whose interface already exists too.
void tarnMarkDecorative(QWidget *widget);
bool tarnIsDecorative(const QObject *object);

// Visible text as a name: the mnemonic marks removed ("&Quit" -> "Quit",
// "&&" -> "&").
QString tarnStripMnemonic(const QString &text);
