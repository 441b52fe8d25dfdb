// Base of the text-based writers: a buffered file that replaces its target only when complete.
#pragma once

#include "gridexport/gridwriter.h"

#include <QByteArray>
#include <QSaveFile>

#include <memory>

class GridFileWriter : public GridWriter
{
  public:
    ~GridFileWriter() override;

  protected:
    bool open(const QString& path, const GridRowSource& rows) override;
    bool finish() override;
    void discard() override;

    // Bytes before the titles and after the last row.
    virtual void prologue(QByteArray& out, const GridRowSource& rows);
    virtual void epilogue(QByteArray& out);

    QByteArray& out() { return m_buffer; }
    // Hands the buffer to the file once it is large; false on a write error.
    bool spill();

  private:
    static constexpr qsizetype BufferSize = 64 * 1024;

    std::unique_ptr<QSaveFile> m_file;
    QByteArray m_buffer;
};
