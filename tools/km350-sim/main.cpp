// km350-sim: plays the KM350 on a pseudo-terminal (or a serial device) for tests, demos and
// benchmarks.
#include "simdevice.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace
{

volatile std::sig_atomic_t g_stop = 0;

void OnSignal(int)
{
    g_stop = 1;
}

[[noreturn]] void Fail(const QString& message)
{
    std::fprintf(stderr, "km350-sim: %s\n", message.toLocal8Bit().constData());
    std::exit(2);
}

speed_t SpeedOf(int rate)
{
    switch (rate) {
    case 38400:
        return B38400;
    case 57600:
        return B57600;
    case 115200:
        return B115200;
    default:
        return B19200;
    }
}

void MakeRaw(int fd, int rate)
{
    termios t{};
    if (tcgetattr(fd, &t) != 0)
        return;
    cfmakeraw(&t);
    cfsetspeed(&t, SpeedOf(rate));
    tcsetattr(fd, TCSADRAIN, &t);
}

// "n" or "n:k" with positive numbers.
void ParsePair(const QString& text, const char* option, int& n, int& k)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    bool ok1 = false, ok2 = true;
    n = parts.value(0).toInt(&ok1);
    k = parts.size() > 1 ? parts.value(1).toInt(&ok2) : 1;
    if (!ok1 || !ok2 || n < 1 || k < 1 || parts.size() > 2)
        Fail(QStringLiteral("--%1 expects N or N:K with positive numbers, not \"%2\"")
                 .arg(QLatin1String(option), text));
}

int ParseCount(const QString& text, const char* option)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < 1)
        Fail(QStringLiteral("--%1 expects a positive number, not \"%2\"")
                 .arg(QLatin1String(option), text));
    return n;
}

void WriteAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n > 0) {
            done += n;
        } else if (n < 0 && errno != EINTR && errno != EAGAIN) {
            return;
        } else {
            pollfd p{fd, POLLOUT, 0};
            ::poll(&p, 1, 100);
        }
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("km350-sim"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Simulates a KM350 meter tester on a pseudo-terminal and prints the terminal's path."));
    parser.addHelpOption();
    const QList<QCommandLineOption> options{
        {"device", "Use this serial device instead of a new pseudo-terminal.", "path"},
        {"link", "Create a symbolic link with this name to the pseudo-terminal.", "path"},
        {"data", "Meters, verifications, results and types to send, as JSON.", "file"},
        {"demo", "Send the meters last loaded, with generated results."},
        {"results", "Results per meter in demo mode (default 10).", "n"},
        {"dump", "Write every finished load to this JSON file.", "file"},
        {"corrupt", "Corrupt the checksum of the N-th record sent, K times.", "N[:K]"},
        {"nak", "Refuse the N-th frame received K times.", "N[:K]"},
        {"silent-after", "Answer nothing from the N-th frame received on.", "N"},
        {"early-end", "Send the end mark instead of answering the N-th frame received.", "N"},
        {"cut", "Send the N-th record cut short before sending it whole.", "N"},
        {"garbage", "Send noise bytes before every frame."},
        {"stray-lf", "Send a line feed before every frame."},
        {"split", "Send every frame in two pieces."},
        {"verbose", "Log every frame to standard error."}};
    parser.addOptions(options);
    parser.process(app);

    SimDevice device;
    device.verbose = parser.isSet("verbose");
    device.demo = parser.isSet("demo");
    if (parser.isSet("results"))
        device.demoResults = ParseCount(parser.value("results"), "results");
    if (parser.isSet("corrupt"))
        ParsePair(parser.value("corrupt"), "corrupt", device.faults.corruptRecord,
                  device.faults.corruptTimes);
    if (parser.isSet("nak"))
        ParsePair(parser.value("nak"), "nak", device.faults.nakFrame, device.faults.nakTimes);
    if (parser.isSet("silent-after"))
        device.faults.silentAfter = ParseCount(parser.value("silent-after"), "silent-after");
    if (parser.isSet("early-end"))
        device.faults.earlyEnd = ParseCount(parser.value("early-end"), "early-end");
    if (parser.isSet("cut"))
        device.faults.cutRecord = ParseCount(parser.value("cut"), "cut");
    device.faults.garbage = parser.isSet("garbage");
    device.faults.strayLf = parser.isSet("stray-lf");
    device.faults.split = parser.isSet("split");

    if (parser.isSet("data")) {
        QFile file(parser.value("data"));
        if (!file.open(QIODevice::ReadOnly))
            Fail(QStringLiteral("cannot read %1").arg(file.fileName()));
        QJsonParseError err{};
        const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &err);
        QString problem;
        if (!doc.isObject())
            Fail(QStringLiteral("%1 is not a JSON object: %2")
                     .arg(file.fileName(), err.errorString()));
        if (!device.LoadJson(doc.object(), problem))
            Fail(QStringLiteral("%1: %2").arg(file.fileName(), problem));
    } else if (!device.demo) {
        device.demo = true; // nothing to send otherwise
    }

    const QString dumpPath = parser.value("dump");
    device.onLoaded = [&device, dumpPath] {
        if (dumpPath.isEmpty())
            return;
        QFile out(dumpPath + QStringLiteral(".tmp"));
        if (out.open(QIODevice::WriteOnly)) {
            out.write(
                QJsonDocument(SimDevice::ToJson(device.loadedMeters, device.loadedTypes)).toJson());
            out.close();
            ::rename(out.fileName().toLocal8Bit().constData(), dumpPath.toLocal8Bit().constData());
        }
    };

    int fd = -1;
    int slave = -1;
    QByteArray path;
    const bool realDevice = parser.isSet("device");
    if (realDevice) {
        path = parser.value("device").toLocal8Bit();
        fd = ::open(path.constData(), O_RDWR | O_NOCTTY);
        if (fd < 0)
            Fail(QStringLiteral("cannot open %1").arg(QString::fromLocal8Bit(path)));
        MakeRaw(fd, 19200);
    } else {
        fd = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (fd < 0 || ::grantpt(fd) != 0 || ::unlockpt(fd) != 0)
            Fail(QStringLiteral("cannot create a pseudo-terminal"));
        path = ::ptsname(fd);
        // Holding the slave open keeps the master usable while no program has the port open,
        // and raw mode stops the terminal from echoing or translating bytes.
        slave = ::open(path.constData(), O_RDWR | O_NOCTTY);
        if (slave >= 0)
            MakeRaw(slave, 19200);
    }
    device.write = [fd](const QByteArray& bytes) { WriteAll(fd, bytes); };
    device.setRate = [fd, realDevice](int rate) {
        if (realDevice) {
            ::tcdrain(fd);
            MakeRaw(fd, rate);
        }
    };

    const QByteArray link = parser.value("link").toLocal8Bit();
    if (!link.isEmpty()) {
        ::unlink(link.constData());
        if (::symlink(path.constData(), link.constData()) != 0)
            Fail(QStringLiteral("cannot create the link %1").arg(QString::fromLocal8Bit(link)));
    }
    std::printf("%s\n", path.constData());
    std::fflush(stdout);

    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    std::signal(SIGHUP, OnSignal);
    char buffer[4096];
    while (!g_stop) {
        pollfd p{fd, POLLIN, 0};
        const int r = ::poll(&p, 1, 200);
        if (r < 0 && errno != EINTR)
            break;
        if (r <= 0)
            continue;
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0)
            device.Feed(QByteArray(buffer, n));
        else if (n < 0 && errno != EINTR && errno != EAGAIN)
            ::usleep(20000); // the other side is between opens
    }
    if (!link.isEmpty())
        ::unlink(link.constData());
    if (slave >= 0)
        ::close(slave);
    ::close(fd);
    return 0;
}
