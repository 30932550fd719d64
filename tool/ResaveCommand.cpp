// zelmio-tool resave IN OUT: loads a template and saves it again in the
// writer's form (OUT may be IN; it is replaced only when the save succeeds).
#include "tool/TemplateWindow.h"
#include "tool/ToolCommand.h"

#include "designer/VxDLoader.h"
#include "platform/RegularFileReader.h"
#include "platform/VxError.h"
#include "storage/RuntimeComponentEditor.h"

#include <QBuffer>

namespace zelmio::tool {

namespace {

int runResave(const QStringList &args, QTextStream &out, QTextStream &err)
{
    if (args.size() != 2)
        throw UsageError{QStringLiteral("expected an input and an output template file")};
    TTemplateWindow window(TTemplateWindow::LoaderKind::Editor);
    auto *editor = static_cast<TRuntimeComponentEditor *>(window.Loader());
    try {
        QByteArray head;
        try {
            head = TRegularFileReader(args.at(0)).Read(2);
        } catch (const EVxError &) {
            // LoadFile names the problem.
        }
        QBuffer in(&head);
        in.open(QIODevice::ReadOnly);
        if (TRuntimeComponentLoader::PeekFormatWord(in) == TRuntimeComponentLoader::kOldFormatIdentifier)
            throw std::runtime_error((args.at(0) + QStringLiteral(": ") + TVxDLoader::kOldFormatMessage).toStdString());
        window.LoadFile(args.at(0));
        editor->SaveTemplateToFile(args.at(1));
    } catch (const std::exception &e) {
        err << "zelmio-tool resave: " << QString::fromUtf8(e.what()) << "\n";
        return 1;
    }
    for (const QString &warning : editor->LoadWarnings())
        out << "warning: " << warning << "\n";
    out << "Saved " << args.at(1) << "\n";
    return 0;
}

const ToolCommandRegistration registration(
    QStringLiteral("resave"),
    ToolCommand{QStringLiteral("resave IN OUT"), QStringLiteral("load a report template and save it again"), runResave});

} // namespace

} // namespace zelmio::tool
