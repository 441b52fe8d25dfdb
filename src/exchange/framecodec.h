// Byte layouts of the device wire: building the frames the program sends, reading device records.
#pragma once

#include "exchange/devicerecord.h"
#include "exchange/meterrow.h"
#include "exchange/typerow.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace FrameCodec
{

constexpr char Slash = '/';
constexpr char STX = 0x02;
constexpr char ETX = 0x03;
constexpr char ACK = 0x06;
constexpr char NAK = 0x15;
constexpr char CR = 0x0D;
constexpr char LF = 0x0A;
constexpr char EndMark = 'O';

constexpr int MeterRecordSize = 68;
constexpr int TypeRecordSize = 26;

// "/", code, CR, LF.
QByteArray ControlFrame(char code);

// "/", "V", "(", the raw rate code byte, ")", CR, LF.
QByteArray SpeedFrame(quint8 code);

// Text in code page 1251, left-aligned, blank-filled and cut to the width.
QByteArray FitField(const QString& text, int width);

// The meter constant as its field shows it, in the general number form, cut and filled to five
// characters; an empty constant is five blanks.
QByteArray ConstantField(std::optional<long double> value);

// Sum modulo 256 of bytes first..last inclusive.
quint8 Checksum(const QByteArray& bytes, qsizetype first, qsizetype last);

// The 68-byte meter record and the 26-byte type record.
QByteArray MeterRecord(const MeterRow& row);
QByteArray TypeRecord(const TypeRow& row);

// The trace line of a frame: the lead character, then "+" and each byte's decimal value.
QString Trace(char lead, const QByteArray& frame);

// Reads the lettered fields of a device record (the frame from its "/" to its LF) into values;
// letters absent from the frame leave their values as they are. Sets incompleteIdent when an
// address, serial number, type designation or constant is present but blank, or when a meter record
// (one with an address or serial number) lacks any of the four. True when the checksum holds.
bool ParseRecord(const QByteArray& frame, DeviceRecord& values, bool& incompleteIdent);

} // namespace FrameCodec
