#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <QString>
#include <QStringView>

// What every fuzz target shares: turning the fuzzer's bytes into text, telling the outcomes the
// program defines apart from findings, and reporting a finding so that libFuzzer keeps the input.
namespace FuzzSupport {

// After a first byte that is odd, the rest as UTF-16 code units, so that lone surrogates and every
// case mapping can turn up; otherwise the rest as UTF-8, which keeps the seeds readable.
QString textFrom(const std::uint8_t* data, std::size_t size);

// The number of the run-time error that call ends in, -1 when it ends in a fatal check (the
// table's "cannot go on" stop), or 0 when it runs to its end. Both errors are outcomes the
// program defines, not findings.
int errorOf(const std::function<void()>& call);

// Text as it can be printed: printable ASCII as it is, every other code unit as \uXXXX.
QString escaped(QStringView text);

// Reports what went wrong and aborts, which libFuzzer records as a crash with its input.
[[noreturn]] void finding(const QString& what);

} // namespace FuzzSupport
