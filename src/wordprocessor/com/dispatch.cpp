#include "wordprocessor/com/dispatch.h"

#include "wordprocessor/com/comerror.h"

namespace wordcom {

namespace {

// A VARIANT that clears itself, releasing the object or string it holds.
class OwnedVariant {
public:
    OwnedVariant() { VariantInit(&value); }
    OwnedVariant(const OwnedVariant&) = delete;
    OwnedVariant& operator=(const OwnedVariant&) = delete;
    ~OwnedVariant() { VariantClear(&value); }

    VARIANT value;
};

// The exception details a failed call fills in, freed whatever happens to them.
class ExceptionInfo {
public:
    ExceptionInfo() = default;
    ExceptionInfo(const ExceptionInfo&) = delete;
    ExceptionInfo& operator=(const ExceptionInfo&) = delete;
    ~ExceptionInfo() {
        SysFreeString(value.bstrSource);
        SysFreeString(value.bstrDescription);
        SysFreeString(value.bstrHelpFile);
    }

    EXCEPINFO value{};
};

VARIANT variantOf(VARTYPE type) {
    VARIANT value;
    VariantInit(&value);
    value.vt = type;
    return value;
}

// Property reads and method calls are both made as either, the way script hosts call them.
constexpr WORD getOrCall = DISPATCH_METHOD | DISPATCH_PROPERTYGET;

} // namespace

Arguments::~Arguments() {
    for (VARIANT& value : m_lastFirst)
        VariantClear(&value);
}

Arguments& Arguments::text(const std::wstring& value) {
    VARIANT argument = variantOf(VT_BSTR);
    argument.bstrVal = SysAllocStringLen(value.data(), static_cast<UINT>(value.size()));
    if (argument.bstrVal == nullptr)
        throw comError(E_OUTOFMEMORY);
    m_lastFirst.insert(m_lastFirst.begin(), argument);
    return *this;
}

Arguments& Arguments::boolean(bool value) {
    VARIANT argument = variantOf(VT_BOOL);
    argument.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    m_lastFirst.insert(m_lastFirst.begin(), argument);
    return *this;
}

Arguments& Arguments::omitted() {
    VARIANT argument = variantOf(VT_ERROR);
    argument.scode = DISP_E_PARAMNOTFOUND;
    m_lastFirst.insert(m_lastFirst.begin(), argument);
    return *this;
}

DISPPARAMS Arguments::params() {
    return {m_lastFirst.data(), nullptr, static_cast<UINT>(m_lastFirst.size()), 0};
}

Dispatch Dispatch::object(const wchar_t* name) const {
    Arguments none;
    return object(name, none);
}

Dispatch Dispatch::object(const wchar_t* name, Arguments& arguments) const {
    DISPPARAMS params = arguments.params();
    OwnedVariant result;
    invoke(name, getOrCall, params, &result.value);
    check(VariantChangeType(&result.value, &result.value, 0, VT_DISPATCH));
    if (result.value.pdispVal == nullptr)
        throw comError(E_POINTER);
    return Dispatch(Microsoft::WRL::ComPtr<IDispatch>(result.value.pdispVal));
}

std::int32_t Dispatch::integer(const wchar_t* name) const {
    DISPPARAMS none{};
    OwnedVariant result;
    invoke(name, getOrCall, none, &result.value);
    check(VariantChangeType(&result.value, &result.value, 0, VT_I4));
    return result.value.lVal;
}

void Dispatch::put(const wchar_t* name, bool value) const {
    Arguments argument;
    argument.boolean(value);
    putValue(name, argument);
}

void Dispatch::put(const wchar_t* name, const std::wstring& value) const {
    Arguments argument;
    argument.text(value);
    putValue(name, argument);
}

void Dispatch::putValue(const wchar_t* name, Arguments& value) const {
    DISPID namedPut = DISPID_PROPERTYPUT;
    DISPPARAMS params = value.params();
    params.rgdispidNamedArgs = &namedPut;
    params.cNamedArgs = 1;
    invoke(name, DISPATCH_PROPERTYPUT, params, nullptr);
}

void Dispatch::call(const wchar_t* name) const {
    Arguments none;
    call(name, none);
}

void Dispatch::call(const wchar_t* name, Arguments& arguments) const {
    DISPPARAMS params = arguments.params();
    OwnedVariant result;
    invoke(name, getOrCall, params, &result.value);
}

void Dispatch::invoke(const wchar_t* name, WORD flags, DISPPARAMS& params, VARIANT* result) const {
    if (!m_object)
        throw comError(E_POINTER);
    const DISPID member = memberId(name);
    ExceptionInfo exception;
    const HRESULT outcome = m_object->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                             result, &exception.value, nullptr);
    if (outcome < 0)
        throw comError(outcome, &exception.value);
}

DISPID Dispatch::memberId(const wchar_t* name) const {
    DISPID member = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    check(m_object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &member));
    return member;
}

} // namespace wordcom
