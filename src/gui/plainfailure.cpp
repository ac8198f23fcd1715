#include "gui/plainfailure.h"

#include "gui/errorreport.h"
#include "platform/runtimeerror.h"

#include <QCoreApplication>

namespace PlainFailure {

namespace {

QString translated(const char* text) {
    return QCoreApplication::translate("PlainFailure", text);
}

struct Explanation {
    const char* why;
    const char* whatToDo;
};

Explanation explanationOf(int number) {
    switch (static_cast<ErrorNumber>(number)) {
    case ErrorNumber::PathNotFound:
        return {"the folder of \u201c%1\u201d does not exist.",
                "Choose an existing folder and try again."};
    case ErrorNumber::PermissionDenied:
    case ErrorNumber::PathFileAccessError:
        return {"\u201c%1\u201d cannot be written.",
                "Choose a folder you may write to, or close the file in the program that has it "
                "open, and try again."};
    case ErrorNumber::DiskFull:
        return {"the disk is full, so \u201c%1\u201d was not written.",
                "Make room on the disk, or choose another one, and try again."};
    case ErrorNumber::FileNotFound:
    case ErrorNumber::InvalidPicture:
        return {"the glyph picture \u201c%1\u201d cannot be read.",
                "Reinstall Scarabo to restore its pictures."};
    default:
        return {nullptr, nullptr};
    }
}

} // namespace

QString message(const QString& failed, const RuntimeError& error) {
    const QString named = error.detail();
    const Explanation explanation = explanationOf(error.number());
    if (named.isEmpty() || !explanation.why)
        return QStringLiteral("%1: %2.").arg(failed, named.isEmpty() ? error.description() : named);
    return QStringLiteral("%1: %2\n\n%3")
        .arg(failed, translated(explanation.why).arg(named), translated(explanation.whatToDo));
}

bool run(const AppContext& context, QWidget* parent, const QString& failed,
         const std::function<void()>& command) {
    bool done = false;
    return ErrorReport::run(context, parent,
                            [&] {
                                try {
                                    command();
                                    done = true;
                                } catch (const RuntimeError& error) {
                                    ErrorReport::show(context, parent, message(failed, error));
                                }
                            }) &&
           done;
}

} // namespace PlainFailure
