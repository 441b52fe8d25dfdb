// libFuzzer target: arbitrary device bytes through the record reader and the engine's poll step.
#include "core/utools.h"
#include "exchange/exchangeengine.h"
#include "exchange/framecodec.h"
#include "support/fakehooks.h"
#include "support/fakeport.h"
#include "support/faketimer.h"

#include <QCoreApplication>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    static int argc = 1;
    static char name[] = "fuzz_exchange";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    DeviceRecord values;
    bool incomplete = false;
    FrameCodec::ParseRecord(bytes, values, incomplete);

    FakePort port;
    FakeTimer timerRequest;
    FakeTimer timerColor;
    FakeHooks hooks;
    hooks.meters = {MeterRow{"1", "T", 6400, "N"}};
    // Storing converts numbers the way the buffer does, so conversion errors take the refusal path.
    hooks.canStore = [](const DeviceRecord& r) {
        TextToFloat(r.P);
        TextToFloat(r.U);
        TextToFloat(r.S);
        return !r.E.contains(QLatin1Char(','));
    };
    ExchangeEngine engine(port, timerRequest, timerColor, hooks);
    const bool reading = size > 0 && (data[0] & 1);
    engine.StartExchange(reading ? QStringList{"C?", "Speed", "C?", "CR", "CRD", "Wait"}
                                 : QStringList{"C?", "Speed", "C?", "CW", "CWD", "O"});
    // Deliver in two pieces so frames straddle notifications.
    port.Feed(bytes.left(bytes.size() / 2));
    timerRequest.Elapse();
    engine.ResumePolling();
    port.Feed(bytes.mid(bytes.size() / 2));
    timerColor.Elapse();
    return 0;
}
