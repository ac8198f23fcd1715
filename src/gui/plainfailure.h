#pragma once

#include "gui/appcontext.h"

#include <functional>
#include <QString>

class QWidget;
class RuntimeError;

// The commands beyond the original ones (saving pictures and documents, printing) say what went
// wrong in plain words, naming the file and what to do, instead of a run-time error number.
namespace PlainFailure {

// "<failed>: <why>" and, where something can be done about it, what.
QString message(const QString& failed, const RuntimeError& error);

// Runs command like ErrorReport::run, but shows its run-time errors as message(failed, error).
bool run(const AppContext& context, QWidget* parent, const QString& failed,
         const std::function<void()>& command);

} // namespace PlainFailure
