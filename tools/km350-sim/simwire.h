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
// Fields of a received record in order; false when the frame is not a well-formed record
// or its checksum does not match.
bool ReadRecord(const QByteArray& frame, QList<QPair<char, QString>>& fields);
QByteArray Padded(const QString& text, int width);

} // namespace SimWire
