// The simulator's own wire helpers: cp1251 text, record building and reading (independent of the
// program's codec).
#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

namespace SimWire
{

QByteArray ToWire(const QString& text);
QString FromWire(const QByteArray& bytes);
// "/", STX, the fields in order, ETX, sum of the field bytes, CR, LF.
QByteArray BuildRecord(const QList<QPair<char, QByteArray>>& fields);
QByteArray Padded(const QString& text, int width);
// Fields of a received record laid out as the device reads them: each letter of the layout in
// order, "(", exactly its width of bytes, ")", then ETX, the checksum, CR, LF, and nothing else.
// False for any other length, order, width or checksum.
bool ReadLaidOutRecord(const QByteArray& frame, const QList<QPair<char, int>>& layout,
                       QList<QPair<char, QString>>& fields);

} // namespace SimWire
