// The run modes: which facade call each combination of arguments makes, the
// messages for missing and unreadable files, and the exit codes.
#include "app/ZelmioShell.h"

#include "designer/ReportDesignerDialog.h"
#include "platform/VxError.h"
#include "platform/ClientDataSet.h"

#include <gtest/gtest.h>

using namespace zelmio;

namespace {

const QString kData = QStringLiteral(ZELMIO_TEST_DATA);
const QString kPacket = kData + QStringLiteral("/tiny-packet.xml");
const QString kTemplate = kData + QStringLiteral("/any-template.vx2");

class RecordingFacade : public TReportDesignerDialog {
public:
    QStringList calls;
    bool result = true;
    bool raise = false;
    int recordsSeen = -1;

    bool NewReport(const QString &fileName, bool showExpert) override
    {
        return record(QStringLiteral("NewReport(%1,%2)").arg(fileName).arg(showExpert));
    }
    bool PreviewReport(const QString &fileName) override
    {
        return record(QStringLiteral("PreviewReport(%1)").arg(fileName));
    }
    bool ExportReport(const QString &fileName, TVxExportFilter *) override
    {
        return record(QStringLiteral("ExportReport(%1)").arg(fileName));
    }

private:
    bool record(const QString &call)
    {
        calls << call;
        recordsSeen = DataSet() ? DataSet()->RecordCount() : -1;
        if (raise)
            throw EVxError(QStringLiteral("template is broken"));
        if (!result)
            SetLastError(QStringLiteral("bad header"));
        return result;
    }
};

class RecordingMessages : public ShellMessages {
public:
    QStringList shown;
    void ShowMessage(const QString &text) override { shown << text; }
};

// Runs the shell on a command line as the host writes it (marker characters included).
struct ShellRun {
    RecordingFacade facade;
    TClientDataSet dataSet;
    RecordingMessages messages;
    ShellExitCode code = ShellExitCode::Success;

    explicit ShellRun(const QStringList &commandLine, bool facadeResult = true, bool facadeRaises = false)
    {
        facade.result = facadeResult;
        facade.raise = facadeRaises;
        ZelmioShell shell(facade, dataSet, messages);
        code = shell.Run(ShellArguments::FromCommandLine(commandLine));
    }
};

} // namespace

TEST(ShellArguments, DropTheFirstCharacterOfEach)
{
    struct Row {
        const char *name;
        QStringList args;
        QString vx2, pdf, data, mode;
    } rows[] = {
        {"none", {}, "", "", "", ""},
        {"dash markers", {"-a.vx2", "-b.pdf", "-c.xml", "-1"}, "a.vx2", "b.pdf", "c.xml", "1"},
        {"mixed markers", {"/a.vx2", "xb.pdf", "\"c.xml", "9z"}, "a.vx2", "b.pdf", "c.xml", "z"},
        {"single characters become empty", {"x", "-", "/", "q"}, "", "", "", ""},
        {"empty arguments stay empty", {"", "", "-c.xml"}, "", "", "c.xml", ""},
        {"paths with blanks", {"-C:/My Reports/a b.vx2", "- ", "-d.xml"}, "C:/My Reports/a b.vx2", " ", "d.xml", ""},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const ShellArguments a = ShellArguments::FromCommandLine(row.args);
        EXPECT_EQ(a.uVX2fails, row.vx2);
        EXPECT_EQ(a.uPDFFails, row.pdf);
        EXPECT_EQ(a.uDataSetFile, row.data);
        EXPECT_EQ(a.uRezims, row.mode);
    }
}

TEST(ZelmioShell, SelectsOneModeAndCallsTheFacadeOnce)
{
    struct Row {
        const char *name;
        QStringList commandLine;
        QString expectedCall;
    } rows[] = {
        {"no template: designer with the wizard", {"x", "-out.pdf", "-" + kPacket}, "NewReport(,1)"},
        {"template, no PDF: preview", {"-" + kTemplate, "", "-" + kPacket}, "PreviewReport(" + kTemplate + ")"},
        {"template and PDF: export", {"-" + kTemplate, "-/tmp/out.pdf", "-" + kPacket}, "ExportReport(" + kTemplate + ")"},
        {"other markers, same paths", {"/" + kTemplate, "x/tmp/out.pdf", "1" + kPacket}, "ExportReport(" + kTemplate + ")"},
        {"a fourth argument changes nothing", {"-" + kTemplate, "", "-" + kPacket, "-PDF"}, "PreviewReport(" + kTemplate + ")"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        ShellRun run(row.commandLine);
        EXPECT_EQ(run.code, ShellExitCode::Success);
        EXPECT_EQ(run.facade.calls, QStringList{row.expectedCall});
        EXPECT_TRUE(run.messages.shown.isEmpty()) << run.messages.shown.join('\n').toStdString();
        // The record set is open, with the packet's records, when the mode runs.
        EXPECT_EQ(run.facade.recordsSeen, 2);
    }
}

TEST(ZelmioShell, MissingAndUnreadableFilesEndWithAMessageAndACode)
{
    const QString missingData = kData + QStringLiteral("/no-such-packet.xml");
    const QString missingTemplate = kData + QStringLiteral("/no-such-template.vx2");
    struct Row {
        const char *name;
        QStringList commandLine;
        ShellExitCode code;
        QString message;   // exact, or a prefix when ending with "*"
    } rows[] = {
        {"no arguments at all", {}, ShellExitCode::DataFileMissing, "XML datu fails nav atrasts "},
        {"data file missing", {"-" + kTemplate, "", "-" + missingData}, ShellExitCode::DataFileMissing,
         "XML datu fails nav atrasts " + missingData},
        {"data path is a folder", {"-" + kTemplate, "", "-" + kData}, ShellExitCode::DataFileMissing,
         "XML datu fails nav atrasts " + kData},
        {"template missing", {"-" + missingTemplate, "-out.pdf", "-" + kPacket}, ShellExitCode::TemplateMissing,
         "VX2 ails nav atrasts " + missingTemplate},
        {"packet unreadable", {"-" + kTemplate, "", "-" + kData + "/not-a-packet.xml"}, ShellExitCode::DataUnreadable,
         "*"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        ShellRun run(row.commandLine);
        EXPECT_EQ(run.code, row.code);
        EXPECT_TRUE(run.facade.calls.isEmpty());
        ASSERT_EQ(run.messages.shown.size(), 1);
        if (row.message == "*")
            EXPECT_TRUE(run.messages.shown.first().contains("not-a-packet.xml")) << run.messages.shown.first().toStdString();
        else
            EXPECT_EQ(run.messages.shown.first(), row.message);
    }
}

TEST(ZelmioShell, AFailedModeIsReportedAndEndsWithAFailureCode)
{
    const QStringList exportLine{"-" + kTemplate, "-/tmp/out.pdf", "-" + kPacket};
    {
        SCOPED_TRACE("facade raises");
        ShellRun run(exportLine, /*facadeResult=*/true, /*facadeRaises=*/true);
        EXPECT_EQ(run.code, ShellExitCode::ModeFailed);
        EXPECT_EQ(run.messages.shown,
                  QStringList{"Report " + kTemplate + " could not be produced: template is broken"});
    }
    {
        SCOPED_TRACE("facade returns false");
        ShellRun run(exportLine, /*facadeResult=*/false);
        EXPECT_EQ(run.code, ShellExitCode::ModeFailed);
        EXPECT_EQ(run.messages.shown,
                  QStringList{"Report " + kTemplate + " could not be produced: bad header"});
    }
}
