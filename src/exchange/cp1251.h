// Code page 1251 (Windows Cyrillic) conversion of the text that travels on the device wire.
#pragma once

#include <QByteArray>
#include <QString>

namespace Cp1251
{

// Characters the code page lacks become "?", so a field keeps its width in bytes.
QByteArray Encode(const QString& text);

// The one unassigned byte (0x98) becomes U+FFFD.
QString Decode(const QByteArray& bytes);

} // namespace Cp1251
