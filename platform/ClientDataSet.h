#pragma once
// The in-memory record set loaded from an XML data packet: Open reads the
// whole packet (TPacketReader), builds one field per declared field and puts
// the cursor on the first record. Nothing is ever written back.

#include "platform/DataSet.h"

#include <QByteArray>
#include <QString>
#include <memory>

namespace zelmio {

struct TPacketData;

class TClientDataSet : public TDataSet {
    Q_OBJECT
public:
    explicit TClientDataSet(QObject *owner = nullptr);
    ~TClientDataSet() override;

    void SetFileName(const QString &fileName) { m_fileName = fileName; }
    const QString &FileName() const { return m_fileName; }
    // A packet held in memory, read by the next Open instead of the file
    // (tests, and hosts that hand the data over without a file). An empty
    // array goes back to the file.
    void SetXMLData(const QByteArray &packet) { m_xmlData = packet; }

    // EDatabaseError naming the file when the packet cannot be read; the set
    // then stays closed. Opening an open set does nothing.
    void Open() override;
    // Frees the records and the fields.
    void Close() override;
    bool Active() const override { return m_data != nullptr; }

    void First() override;
    void Next() override;
    void Prior() override;
    void Last() override;
    bool Eof() const override { return m_eof; }
    bool Bof() const override { return m_bof; }
    int RecordCount() const override;
    int RecNo() const override;
    void SetRecNo(int recNo) override;

    // The packet's encoding as read ("UTF-8", "windows-1257" ...); empty when closed.
    QString Encoding() const;
    // The code page of the packet's 8-bit text (its declared one, or 1257 for
    // Unicode packets); 0 when closed. Consumers that need 8-bit bytes of
    // string fields convert with it.
    int CodePage() const;

private:
    QString Described() const;   // "Record set 'NAME'" for messages
    void CheckActive() const;
    void BuildFields();

    QString m_fileName;
    QByteArray m_xmlData;
    std::unique_ptr<TPacketData> m_data;
    int m_row = -1;        // current record from 0; -1 when there is none
    bool m_eof = true;
    bool m_bof = true;
};

} // namespace zelmio
