#pragma once
// Values in the exact INI text QSettings writes (no text codec set), so that a
// file written here is byte for byte the file QSettings would write, and
// QSettings reads it back unchanged.

#include <QByteArray>
#include <QColor>
#include <QString>

// A text value: '@' doubled at the start, "@String(...)" around a text with a
// NUL, escapes, and quotes where the value holds ',', ';', '=' or starts or
// ends with a space.
void appendIniText(QByteArray &out, const QString &value);
// A colour, as the "@Variant(...)" of its QDataStream form.
void appendIniColor(QByteArray &out, const QColor &color);
// A key below its group: '/' becomes '\', other characters outside
// [A-Za-z0-9_.-] are %-encoded.
void appendIniKey(QByteArray &out, const QString &key);
// The line end QSettings writes on this system.
const char *iniLineEnd();
