// The KM350 side of the exchange as the simulator plays it, with faults to inject on request.
#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <functional>

class SimDevice
{
  public:
    struct Result {
        QString u, i, m, k, s, f;
    };
    struct Verification {
        QString date, reading;
        QList<Result> results;
        QString creepU, creepState; // no creep record when creepState is empty
    };
    struct Meter {
        QString address, type, constant, number;
        QList<Verification> verifications;
    };
    struct Type {
        QString type, constant;
    };
    struct Faults {
        int corruptRecord = 0, corruptTimes = 0; // n-th record sent gets a wrong checksum k times
        int nakFrame = 0, nakTimes = 0;          // n-th frame received is refused k times
        int silentAfter = 0;                     // no answer from the n-th frame received on
        int earlyEnd = 0;                        // "O" instead of the answer to the n-th frame
        int cutRecord = 0;                       // n-th record first sent cut short
        bool garbage = false;                    // noise bytes before every frame sent
        bool strayLf = false;                    // an LF before every frame sent
        bool split = false;                      // every frame sent in two pieces
    };

    QList<Meter> meters;       // what "R" sends
    QList<Type> types;         // what "r" sends
    QList<Meter> loadedMeters; // the last meter load, as received
    QList<Type> loadedTypes;
    bool demo = false;
    int demoResults = 10;
    Faults faults;
    bool verbose = false;
    int rateCode = 1;
    // Called with each finished load, so it can be saved.
    std::function<void()> onLoaded;
    // Writes bytes to the line.
    std::function<void(const QByteArray&)> write;
    // Applies a line rate (bit/s).
    std::function<void(int)> setRate;

    void Feed(const QByteArray& bytes);
    bool LoadJson(const QJsonObject& root, QString& error);
    static QJsonObject ToJson(const QList<Meter>& meterList, const QList<Type>& typeList);

  private:
    enum class Mode { Idle, LoadMeters, LoadTypes, Sending };

    void HandleFrame(const QByteArray& frame);
    void SendFrame(const QByteArray& frame);
    void SendControl(char code);
    void SendCurrentRecord();
    void BuildOutgoing(bool typeTable);
    void MakeDemoResults();

    QByteArray m_rx;
    bool m_inFrame = false;
    Mode m_mode = Mode::Idle;
    int m_accepted = 0; // frames received and acted upon
    int m_nakDone = 0;
    int m_recordNo = 0; // records sent, first sends only
    int m_corruptDone = 0;
    bool m_silent = false;
    QList<QByteArray> m_outgoing;
    qsizetype m_outIndex = 0;
};
