// Simulated KM350: answers queries, switches rate, stores loaded records, sends its verifications.
#include "simdevice.h"

#include "simwire.h"

#include <QDate>
#include <QJsonArray>
#include <QRandomGenerator>
#include <cstdio>
#include <unistd.h>

namespace
{

constexpr char ACK = 0x06;
constexpr char NAK = 0x15;

QString Text(const QJsonValue& v)
{
    return v.isDouble() ? QString::number(v.toDouble(), 'g', 15) : v.toString();
}

} // namespace

void SimDevice::Feed(const QByteArray& bytes)
{
    for (char b : bytes) {
        if (!m_inFrame) {
            if (b != '/')
                continue;
            m_inFrame = true;
            m_rx.clear();
        }
        m_rx.append(b);
        if (b == '\n' && m_rx.size() >= 2 && m_rx[m_rx.size() - 2] == '\r') {
            m_inFrame = false;
            HandleFrame(m_rx);
        } else if (m_rx.size() > 1024) {
            m_inFrame = false;
        }
    }
}

void SimDevice::SendFrame(const QByteArray& frame)
{
    if (faults.garbage)
        write(QByteArray("\x11noise\x7f\r", 8));
    if (faults.strayLf)
        write(QByteArray("\n"));
    if (faults.split && frame.size() > 2) {
        write(frame.left(frame.size() / 2));
        ::usleep(5000);
        write(frame.mid(frame.size() / 2));
    } else {
        write(frame);
    }
    if (verbose)
        std::fprintf(stderr, "sim > %s\n", frame.toHex(' ').constData());
}

void SimDevice::SendControl(char code)
{
    const char frame[] = {'/', code, '\r', '\n'};
    SendFrame(QByteArray(frame, 4));
}

void SimDevice::HandleFrame(const QByteArray& frame)
{
    if (verbose)
        std::fprintf(stderr, "sim < %s\n", frame.toHex(' ').constData());
    if (m_silent)
        return;
    const int number = m_accepted + 1;
    if (faults.silentAfter > 0 && number >= faults.silentAfter) {
        m_silent = true;
        return;
    }
    if (faults.earlyEnd > 0 && number == faults.earlyEnd) {
        ++m_accepted;
        m_mode = Mode::Idle;
        SendControl('O');
        return;
    }
    if (faults.nakFrame > 0 && number == faults.nakFrame && m_nakDone < faults.nakTimes) {
        ++m_nakDone;
        SendControl(NAK);
        return;
    }
    if (frame.size() < 4)
        return;
    const char code = frame[1];

    if (code == '\x02') {
        // Records are read as the device reads them: a 68-byte meter record during a meter load,
        // a 26-byte type record during a type load, every field at its offset.
        static const QList<QPair<char, int>> MeterLayout{
            {'A', 16}, {'T', 9}, {'P', 5}, {'N', 9}, {'D', 8}};
        static const QList<QPair<char, int>> TypeLayout{{'T', 9}, {'P', 5}};
        QList<QPair<char, QString>> fields;
        const bool read =
            (m_mode == Mode::LoadMeters &&
             SimWire::ReadLaidOutRecord(frame, MeterLayout, fields)) ||
            (m_mode == Mode::LoadTypes && SimWire::ReadLaidOutRecord(frame, TypeLayout, fields));
        if (!read) {
            SendControl(NAK);
            return;
        }
        ++m_accepted;
        auto value = [&fields](char letter) {
            for (const auto& f : fields) {
                if (f.first == letter)
                    return f.second.trimmed();
            }
            return QString();
        };
        if (m_mode == Mode::LoadMeters)
            loadedMeters.append(Meter{value('A'), value('T'), value('P'), value('N'), {}});
        else if (m_mode == Mode::LoadTypes)
            loadedTypes.append(Type{value('T'), value('P')});
        SendControl(ACK);
        return;
    }

    ++m_accepted;
    switch (code) {
    case '?':
        SendControl(ACK);
        break;
    case 'V': {
        const int c = frame.size() >= 7 ? static_cast<unsigned char>(frame[3]) : 0;
        static const int Rates[] = {0, 19200, 38400, 57600, 115200};
        if (c >= 1 && c <= 4) {
            rateCode = c;
            if (setRate)
                setRate(Rates[c]);
            SendControl(ACK);
        } else {
            SendControl(NAK);
        }
        break;
    }
    case 'W':
        m_mode = Mode::LoadMeters;
        loadedMeters.clear();
        SendControl(ACK);
        break;
    case 'w':
        m_mode = Mode::LoadTypes;
        loadedTypes.clear();
        SendControl(ACK);
        break;
    case 'O': {
        if (m_mode == Mode::LoadMeters && demo) {
            meters = loadedMeters;
            MakeDemoResults();
        } else if (m_mode == Mode::LoadTypes) {
            types = loadedTypes;
        }
        const bool loaded = m_mode == Mode::LoadMeters || m_mode == Mode::LoadTypes;
        m_mode = Mode::Idle;
        SendControl(ACK);
        if (loaded && onLoaded)
            onLoaded();
        break;
    }
    case 'R':
    case 'r':
        SendControl(ACK);
        BuildOutgoing(code == 'r');
        m_mode = Mode::Sending;
        m_outIndex = 0;
        SendCurrentRecord();
        break;
    case ACK:
        if (m_mode == Mode::Sending) {
            ++m_outIndex;
            SendCurrentRecord();
        }
        break;
    case NAK:
        if (m_mode == Mode::Sending)
            SendCurrentRecord();
        break;
    default:
        break;
    }
}

void SimDevice::SendCurrentRecord()
{
    if (m_outIndex >= m_outgoing.size()) {
        m_mode = Mode::Idle;
        SendControl('O');
        return;
    }
    QByteArray record = m_outgoing[m_outIndex];
    const int number = static_cast<int>(m_outIndex) + 1;
    const bool firstSend = number > m_recordNo;
    if (firstSend)
        m_recordNo = number;
    if (faults.corruptRecord == number && m_corruptDone < faults.corruptTimes) {
        ++m_corruptDone;
        record[record.size() - 3] = static_cast<char>(record[record.size() - 3] ^ 0x5A);
    }
    if (firstSend && faults.cutRecord == number)
        write(record.left(record.size() / 2));
    SendFrame(record);
}

void SimDevice::BuildOutgoing(bool typeTable)
{
    using SimWire::Padded;
    m_outgoing.clear();
    m_recordNo = 0;
    if (typeTable) {
        for (const Type& t : types)
            m_outgoing.append(
                SimWire::BuildRecord({{'T', Padded(t.type, 9)}, {'P', Padded(t.constant, 5)}}));
        return;
    }
    for (const Meter& m : meters) {
        for (const Verification& v : m.verifications) {
            m_outgoing.append(SimWire::BuildRecord({{'A', Padded(m.address, 16)},
                                                    {'T', Padded(m.type, 9)},
                                                    {'N', Padded(m.number, 9)},
                                                    {'P', Padded(m.constant, 5)},
                                                    {'D', SimWire::ToWire(v.date)},
                                                    {'E', SimWire::ToWire(v.reading)}}));
            for (const Result& r : v.results) {
                QList<QPair<char, QByteArray>> f{{'U', SimWire::ToWire(r.u)},
                                                 {'I', SimWire::ToWire(r.i)},
                                                 {'M', SimWire::ToWire(r.m)},
                                                 {'K', SimWire::ToWire(r.k)},
                                                 {'S', SimWire::ToWire(r.s)}};
                if (!r.f.isEmpty())
                    f.append({'F', SimWire::ToWire(r.f)});
                m_outgoing.append(SimWire::BuildRecord(f));
            }
            if (!v.creepState.isEmpty())
                m_outgoing.append(SimWire::BuildRecord({{'U', SimWire::ToWire(v.creepU)},
                                                        {'I', QByteArray("0")},
                                                        {'C', SimWire::ToWire(v.creepState)}}));
        }
    }
}

void SimDevice::MakeDemoResults()
{
    // Usual test points: nominal voltage, currents from 5 % to 200 % of 5 A, unity and
    // inductive/capacitive load.
    static const double Currents[] = {0.25, 0.5, 1.0, 2.5, 5.0, 10.0};
    static const char* const PowerFactors[][2] = {{"1.00", "L"}, {"0.5", "L"}, {"0.8", "C"}};
    QRandomGenerator rng(350);
    const QString date = QDate::currentDate().toString(QStringLiteral("dd/MM/yy"));
    for (Meter& m : meters) {
        Verification v;
        v.date = date;
        v.reading = QString::number(rng.bounded(100000) / 10.0, 'f', 1);
        for (int n = 0; n < demoResults; ++n) {
            const double i = Currents[n % 6];
            const auto* pf = PowerFactors[(n / 6) % 3];
            const double k = QString::fromLatin1(pf[0]).toDouble();
            Result r;
            r.u = QStringLiteral("230.0");
            r.i = QString::number(i, 'f', 3);
            r.m = QString::number(230.0 * i * k, 'f', 1);
            r.k = QString::fromLatin1(pf[0]);
            r.s = QString::number((rng.bounded(200) - 100) / 100.0, 'f', 2);
            r.f = QString::fromLatin1(pf[1]);
            v.results.append(r);
        }
        v.creepU = QStringLiteral("264.5");
        v.creepState = QStringLiteral("1");
        m.verifications = {v};
    }
}

bool SimDevice::LoadJson(const QJsonObject& root, QString& error)
{
    meters.clear();
    types.clear();
    for (const QJsonValue& mv : root.value(QStringLiteral("meters")).toArray()) {
        if (!mv.isObject()) {
            error = QStringLiteral("each entry of \"meters\" must be an object");
            return false;
        }
        const QJsonObject mo = mv.toObject();
        Meter m{
            Text(mo["address"]), Text(mo["type"]), Text(mo["constant"]), Text(mo["number"]), {}};
        for (const QJsonValue& vv : mo["verifications"].toArray()) {
            const QJsonObject vo = vv.toObject();
            Verification v{Text(vo["date"]), Text(vo["reading"]), {}, {}, {}};
            for (const QJsonValue& rv : vo["results"].toArray()) {
                const QJsonObject ro = rv.toObject();
                v.results.append(Result{Text(ro["voltage"]), Text(ro["current"]), Text(ro["power"]),
                                        Text(ro["pf"]), Text(ro["error"]), Text(ro["suffix"])});
            }
            const QJsonObject creep = vo["creep"].toObject();
            v.creepU = Text(creep["voltage"]);
            v.creepState = Text(creep["state"]);
            m.verifications.append(v);
        }
        meters.append(m);
    }
    for (const QJsonValue& tv : root.value(QStringLiteral("types")).toArray()) {
        const QJsonObject to = tv.toObject();
        types.append(Type{Text(to["type"]), Text(to["constant"])});
    }
    return true;
}

QJsonObject SimDevice::ToJson(const QList<Meter>& meterList, const QList<Type>& typeList)
{
    QJsonArray ma;
    for (const Meter& m : meterList) {
        QJsonArray va;
        for (const Verification& v : m.verifications) {
            QJsonArray ra;
            for (const Result& r : v.results)
                ra.append(QJsonObject{{"voltage", r.u},
                                      {"current", r.i},
                                      {"power", r.m},
                                      {"pf", r.k},
                                      {"error", r.s},
                                      {"suffix", r.f}});
            va.append(QJsonObject{
                {"date", v.date},
                {"reading", v.reading},
                {"results", ra},
                {"creep", QJsonObject{{"voltage", v.creepU}, {"state", v.creepState}}}});
        }
        ma.append(QJsonObject{{"address", m.address},
                              {"type", m.type},
                              {"constant", m.constant},
                              {"number", m.number},
                              {"verifications", va}});
    }
    QJsonArray ta;
    for (const Type& t : typeList)
        ta.append(QJsonObject{{"type", t.type}, {"constant", t.constant}});
    return QJsonObject{{"meters", ma}, {"types", ta}};
}
