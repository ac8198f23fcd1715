#pragma once

#include <cstdint>
#include <oaidl.h>
#include <string>
#include <utility>
#include <vector>
#include <windows.h>
#include <wrl/client.h>

namespace wordcom {

// The arguments of one late-bound call, given in the order of the method's parameters.
class Arguments {
public:
    Arguments() = default;
    Arguments(const Arguments&) = delete;
    Arguments& operator=(const Arguments&) = delete;
    ~Arguments();

    Arguments& text(const std::wstring& value);
    Arguments& boolean(bool value);
    // A parameter left out, as automation marks it.
    Arguments& omitted();

    // IDispatch::Invoke takes the last argument first.
    DISPPARAMS params();

private:
    std::vector<VARIANT> m_lastFirst;
};

// One reference to an automation object, with the few kinds of late-bound call the export makes.
// Every failure throws ComError.
class Dispatch {
public:
    Dispatch() = default;
    explicit Dispatch(Microsoft::WRL::ComPtr<IDispatch> object)
        : m_object(std::move(object)) {}

    // An object-valued property, as a reference of its own.
    Dispatch object(const wchar_t* name) const;
    // The object a method returns, as a reference of its own.
    Dispatch object(const wchar_t* name, Arguments& arguments) const;
    std::int32_t integer(const wchar_t* name) const;
    void put(const wchar_t* name, bool value) const;
    void put(const wchar_t* name, const std::wstring& value) const;
    // Calls a method; whatever it returns is released at once.
    void call(const wchar_t* name, Arguments& arguments) const;
    void call(const wchar_t* name) const;

private:
    // Sets a property to the one argument in `value`.
    void putValue(const wchar_t* name, Arguments& value) const;
    // `result` may be null when the caller wants nothing back.
    void invoke(const wchar_t* name, WORD flags, DISPPARAMS& params, VARIANT* result) const;
    DISPID memberId(const wchar_t* name) const;

    Microsoft::WRL::ComPtr<IDispatch> m_object;
};

} // namespace wordcom
