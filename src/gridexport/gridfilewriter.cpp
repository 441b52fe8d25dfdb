// Buffered file output through QSaveFile, so a cancelled or failed export leaves no partial file.
#include "gridexport/gridfilewriter.h"

GridFileWriter::~GridFileWriter() = default;

bool GridFileWriter::open(const QString& path, const GridRowSource& rows)
{
    m_file = std::make_unique<QSaveFile>(path);
    if (!m_file->open(QIODevice::WriteOnly)) {
        m_file.reset();
        return false;
    }
    m_buffer.clear();
    m_buffer.reserve(BufferSize + BufferSize / 4);
    prologue(m_buffer, rows);
    return true;
}

bool GridFileWriter::spill()
{
    if (m_buffer.size() < BufferSize)
        return true;
    bool ok = m_file->write(m_buffer) == m_buffer.size();
    m_buffer.resize(0);
    return ok;
}

bool GridFileWriter::finish()
{
    epilogue(m_buffer);
    bool ok = m_file->write(m_buffer) == m_buffer.size();
    m_buffer.resize(0);
    ok = ok && m_file->commit();
    m_file.reset();
    return ok;
}

void GridFileWriter::discard()
{
    // A QSaveFile destroyed without commit removes its temporary file.
    if (m_file)
        m_file->cancelWriting();
    m_file.reset();
    m_buffer = QByteArray();
}

void GridFileWriter::prologue(QByteArray&, const GridRowSource&) {}

void GridFileWriter::epilogue(QByteArray&) {}
