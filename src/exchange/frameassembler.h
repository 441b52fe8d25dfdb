// Collects received bytes into frames: a frame starts with "/" and ends with CR LF.
#pragma once

#include <QByteArray>

class FrameAssembler
{
  public:
    // A frame longer than this is garbage on the line; it is dropped rather than collected further.
    static constexpr qsizetype MaxFrameBytes = 4096;

    enum class Result {
        Outside,    // no frame is being collected; the byte was dropped
        Collecting, // the byte joined the frame being collected
        Complete,   // the byte ended a frame: Frame() holds it
        Dropped     // the frame grew too long and was dropped
    };

    // A "/" inside a frame does not start a new one: a frame cut short merges with the next.
    Result Add(char byte);
    // True while no frame is being collected.
    bool WaitingForStart() const { return !m_collecting; }
    // The frame being collected, or the last complete one.
    const QByteArray& Frame() const { return m_frame; }
    // Forgets a frame being collected.
    void Reset();

  private:
    QByteArray m_frame;
    bool m_collecting = false;
};
