// Frame boundaries of received bytes, the same for the engine and the exchange trace.
#include "exchange/frameassembler.h"

#include "exchange/framecodec.h"

FrameAssembler::Result FrameAssembler::Add(char byte)
{
    if (!m_collecting) {
        // Outside a frame every byte is dropped, a stray LF included: it never re-handles the
        // last frame.
        if (byte != FrameCodec::Slash)
            return Result::Outside;
        m_collecting = true;
        m_frame.clear();
    }
    m_frame.append(byte);
    const qsizetype n = m_frame.size();
    if (byte == FrameCodec::LF && n >= 2 && m_frame.at(n - 2) == FrameCodec::CR) {
        m_collecting = false;
        return Result::Complete;
    }
    if (n > MaxFrameBytes) {
        Reset();
        return Result::Dropped;
    }
    return Result::Collecting;
}

void FrameAssembler::Reset()
{
    m_collecting = false;
    m_frame.clear();
}
