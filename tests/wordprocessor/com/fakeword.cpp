#include "fakeword.h"

#include <algorithm>
#include <iomanip>
#include <sstream>
#include <utility>

namespace fakeword {

namespace {

bool isOmitted(const VARIANT& value) {
    return value.vt == VT_ERROR && value.scode == DISP_E_PARAMNOTFOUND;
}

std::wstring valueText(const VARIANT& value) {
    std::wostringstream text;
    switch (value.vt) {
    case VT_BOOL:
        text << (value.boolVal == VARIANT_FALSE ? L"False" : L"True");
        break;
    case VT_BSTR:
        text << L'"' << value.bstrVal << L'"';
        break;
    case VT_ERROR:
        text << L"Error(0x" << std::hex << std::uppercase << static_cast<DWORD>(value.scode)
             << L')';
        break;
    default:
        text << L"<vt " << value.vt << L'>';
    }
    return text.str();
}

// Fills in a failure the way Word reports one: DISP_E_EXCEPTION with the details beside it.
HRESULT raise(EXCEPINFO* exception, SCODE scode, WORD wCode, const wchar_t* description) {
    if (exception == nullptr)
        return scode != 0 ? scode : E_FAIL;
    *exception = EXCEPINFO{};
    exception->wCode = wCode;
    exception->scode = scode;
    exception->bstrSource = SysAllocString(L"Microsoft Word");
    exception->bstrDescription = SysAllocString(description);
    return DISP_E_EXCEPTION;
}

// A document that Word returns and the export releases unused.
class InertObject : public FakeDispatch {
public:
    InertObject(World& world, const wchar_t* typeName)
        : FakeDispatch(world, typeName, {}) {}

protected:
    HRESULT perform(const Invocation&) override { return DISP_E_MEMBERNOTFOUND; }
};

// Hands a new object to the caller, who owns its one reference; made only when asked for.
template <class Object, class... Arguments>
void answerObject(VARIANT* result, World& world, Arguments&&... arguments) {
    if (result == nullptr)
        return;
    result->vt = VT_DISPATCH;
    result->pdispVal = new Object(world, std::forward<Arguments>(arguments)...);
}

// Word stuck in a call: it answers only when told to, or after a long while.
void hang(World& world) {
    world.hanging = true;
    for (int waited = 0; waited < 1000 && !world.hangingEnded; ++waited)
        Sleep(10);
}

// A picture that AddPicture inserted; the export may give it an alternative text.
class FakeInlineShape : public FakeDispatch {
public:
    explicit FakeInlineShape(World& world)
        : FakeDispatch(world, L"InlineShape", {{L"AlternativeText", MemberKind::Property}}) {}

protected:
    HRESULT perform(const Invocation&) override { return S_OK; }
};

class FakeInlineShapes : public FakeDispatch {
public:
    explicit FakeInlineShapes(World& world)
        : FakeDispatch(world, L"InlineShapes",
                       {{L"AddPicture",
                         MemberKind::Method,
                         {L"FileName", L"LinkToFile", L"SaveWithDocument", L"Range"},
                         1}}) {}

protected:
    HRESULT perform(const Invocation& call) override {
        if (++world().picturesAsked == world().behaviour.failingPicture)
            return raise(call.exception, MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 5152), 0,
                         L"This is not a valid file name.");
        answerObject<FakeInlineShape>(call.result, world());
        return S_OK;
    }
};

class FakeSelection : public FakeDispatch {
public:
    explicit FakeSelection(World& world)
        : FakeDispatch(world, L"Selection",
                       {{L"InlineShapes", MemberKind::ReadOnlyProperty},
                        {L"TypeParagraph", MemberKind::Method}}) {}

protected:
    HRESULT perform(const Invocation& call) override {
        if (call.member == InlineShapes)
            answerObject<FakeInlineShapes>(call.result, world());
        return S_OK;
    }

private:
    enum : DISPID { InlineShapes, TypeParagraph };
};

class FakeDocuments : public FakeDispatch {
public:
    explicit FakeDocuments(World& world)
        : FakeDispatch(world, L"Documents",
                       {{L"Count", MemberKind::ReadOnlyProperty},
                        {L"Add",
                         MemberKind::Method,
                         {L"Template", L"NewTemplate", L"DocumentType", L"Visible"}}}) {}

protected:
    HRESULT perform(const Invocation& call) override {
        if (call.member == Count) {
            if (call.result != nullptr) {
                call.result->vt = VT_I4;
                call.result->lVal = world().openDocuments;
            }
            return S_OK;
        }
        ++world().openDocuments;
        answerObject<InertObject>(call.result, world(), L"Document");
        return S_OK;
    }

private:
    enum : DISPID { Count, Add };
};

} // namespace

std::size_t World::record(std::wstring call) {
    const std::lock_guard lock(m_mutex);
    m_calls.push_back(std::move(call));
    return m_calls.size();
}

std::vector<std::wstring> World::calls() const {
    const std::lock_guard lock(m_mutex);
    return m_calls;
}

FakeDispatch::FakeDispatch(World& world, const wchar_t* typeName, std::vector<Member> members)
    : m_world(world)
    , m_typeName(typeName)
    , m_members(std::move(members)) {
    ++m_world.objectsAlive;
}

FakeDispatch::~FakeDispatch() {
    --m_world.objectsAlive;
}

HRESULT FakeDispatch::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr)
        return E_POINTER;
    if (iid != IID_IUnknown && iid != IID_IDispatch) {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
}

ULONG FakeDispatch::AddRef() {
    return ++m_references;
}

ULONG FakeDispatch::Release() {
    const ULONG left = --m_references;
    if (left == 0)
        delete this;
    return left;
}

HRESULT FakeDispatch::GetTypeInfoCount(UINT* count) {
    *count = 0;
    return S_OK;
}

HRESULT FakeDispatch::GetTypeInfo(UINT, LCID, ITypeInfo**) {
    return DISP_E_BADINDEX;
}

HRESULT FakeDispatch::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    const auto member = std::find_if(m_members.begin(), m_members.end(), [&](const Member& m) {
        return _wcsicmp(m.name, names[0]) == 0;
    });
    if (member == m_members.end()) {
        std::fill(ids, ids + count, DISPID_UNKNOWN);
        return DISP_E_UNKNOWNNAME;
    }
    ids[0] = static_cast<DISPID>(member - m_members.begin());
    HRESULT outcome = S_OK;
    for (UINT i = 1; i < count; ++i) {
        const auto& parameters = member->parameters;
        const auto parameter =
            std::find_if(parameters.begin(), parameters.end(),
                         [&](const wchar_t* name) { return _wcsicmp(name, names[i]) == 0; });
        ids[i] = parameter == parameters.end()
                     ? DISPID_UNKNOWN
                     : static_cast<DISPID>(parameter - parameters.begin());
        if (parameter == parameters.end())
            outcome = DISP_E_UNKNOWNNAME;
    }
    return outcome;
}

HRESULT FakeDispatch::Invoke(DISPID memberId, REFIID, LCID, WORD flags, DISPPARAMS* params,
                             VARIANT* result, EXCEPINFO* exception, UINT*) {
    if (memberId < 0 || static_cast<std::size_t>(memberId) >= m_members.size())
        return DISP_E_MEMBERNOTFOUND;
    if (params == nullptr)
        return E_INVALIDARG;
    const Member& member = m_members[static_cast<std::size_t>(memberId)];
    const bool put = (flags & DISPATCH_PROPERTYPUT) != 0;
    const WORD needed = put                                 ? DISPATCH_PROPERTYPUT
                        : member.kind == MemberKind::Method ? DISPATCH_METHOD
                                                            : DISPATCH_PROPERTYGET;
    if ((flags & needed) == 0 || (put && member.kind != MemberKind::Property))
        return DISP_E_MEMBERNOTFOUND;
    std::vector<const VARIANT*> bound;
    if (const HRESULT outcome = bind(member, put, *params, bound); FAILED(outcome))
        return outcome;
    if (m_world.record(describe(member, put, bound)) ==
        static_cast<std::size_t>(m_world.behaviour.hangingCall))
        hang(m_world);
    if (result != nullptr)
        VariantInit(result);
    return perform({memberId, put, bound, result, exception});
}

HRESULT FakeDispatch::bind(const Member& member, bool put, const DISPPARAMS& params,
                           std::vector<const VARIANT*>& bound) const {
    if (put) {
        const bool valueNamed = params.cArgs == 1 && params.cNamedArgs == 1 &&
                                params.rgdispidNamedArgs[0] == DISPID_PROPERTYPUT;
        if (!valueNamed)
            return DISP_E_PARAMNOTFOUND;
        bound.push_back(&params.rgvarg[0]);
        return S_OK;
    }
    if (params.cNamedArgs > params.cArgs || params.cArgs > member.parameters.size())
        return DISP_E_BADPARAMCOUNT;
    const UINT positional = params.cArgs - params.cNamedArgs;
    bound.assign(member.parameters.size(), nullptr);
    for (UINT i = 0; i < positional; ++i)
        bound[i] = &params.rgvarg[params.cArgs - 1 - i];
    for (UINT i = 0; i < params.cNamedArgs; ++i) {
        const DISPID parameter = params.rgdispidNamedArgs[i];
        if (parameter < 0 || static_cast<std::size_t>(parameter) >= bound.size() ||
            bound[static_cast<std::size_t>(parameter)] != nullptr)
            return DISP_E_PARAMNOTFOUND;
        bound[static_cast<std::size_t>(parameter)] = &params.rgvarg[i];
    }
    for (const VARIANT*& argument : bound) {
        if (argument != nullptr && isOmitted(*argument))
            argument = nullptr;
    }
    for (std::size_t i = 0; i < member.required; ++i) {
        if (bound[i] == nullptr)
            return DISP_E_PARAMNOTOPTIONAL;
    }
    return S_OK;
}

std::wstring FakeDispatch::describe(const Member& member, bool put,
                                    const std::vector<const VARIANT*>& bound) const {
    std::wstring text = std::wstring(m_typeName) + L'.' + member.name;
    if (put)
        return text + L" = " + valueText(*bound[0]);
    if (member.kind != MemberKind::Method)
        return text;
    text += L'(';
    const wchar_t* separator = L"";
    for (std::size_t i = 0; i < bound.size(); ++i) {
        if (bound[i] == nullptr)
            continue;
        text += separator + std::wstring(member.parameters[i]) + L":=" + valueText(*bound[i]);
        separator = L", ";
    }
    return text + L')';
}

FakeApplication::FakeApplication(World& world)
    : FakeDispatch(world, L"Application",
                   {{L"Documents", MemberKind::ReadOnlyProperty},
                    {L"Selection", MemberKind::ReadOnlyProperty},
                    {L"Visible", MemberKind::Property}}) {}

HRESULT FakeApplication::QueryInterface(REFIID iid, void** object) {
    if (object != nullptr && iid == IID_IExternalConnection) {
        *object = static_cast<IExternalConnection*>(this);
        AddRef();
        return S_OK;
    }
    return FakeDispatch::QueryInterface(iid, object);
}

DWORD FakeApplication::AddConnection(DWORD kind, DWORD) {
    return (kind & EXTCONN_STRONG) != 0 ? static_cast<DWORD>(++m_connections)
                                        : static_cast<DWORD>(m_connections.load());
}

DWORD FakeApplication::ReleaseConnection(DWORD kind, DWORD, BOOL) {
    return (kind & EXTCONN_STRONG) != 0 ? static_cast<DWORD>(--m_connections)
                                        : static_cast<DWORD>(m_connections.load());
}

HRESULT FakeApplication::registerRunning() {
    const HRESULT result = RegisterActiveObject(static_cast<IDispatch*>(this), classId,
                                                ACTIVEOBJECT_WEAK, &m_runningCookie);
    m_idleReferences = static_cast<long>(references());
    return result;
}

void FakeApplication::revokeRunning() {
    if (m_runningCookie != 0)
        RevokeActiveObject(m_runningCookie, nullptr);
    m_runningCookie = 0;
}

HRESULT FakeApplication::perform(const Invocation& call) {
    switch (call.member) {
    case Documents:
        answerObject<FakeDocuments>(call.result, world());
        return S_OK;
    case Selection:
        answerObject<FakeSelection>(call.result, world());
        return S_OK;
    default:
        if (world().behaviour.visibleFails)
            return raise(call.exception, 0, 4605,
                         L"This method or property is not available because a document window "
                         L"is not active.");
        return S_OK;
    }
}

FakeClassFactory::FakeClassFactory(World& world, FakeApplication& application)
    : m_world(world)
    , m_application(application) {}

HRESULT FakeClassFactory::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr)
        return E_POINTER;
    if (iid != IID_IUnknown && iid != IID_IClassFactory) {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    *object = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
}

ULONG FakeClassFactory::AddRef() {
    return ++m_references;
}

ULONG FakeClassFactory::Release() {
    const ULONG left = --m_references;
    if (left == 0)
        delete this;
    return left;
}

HRESULT FakeClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
    if (outer != nullptr)
        return CLASS_E_NOAGGREGATION;
    m_world.record(L"(Word started)");
    if (m_world.behaviour.startFails)
        return CO_E_SERVER_EXEC_FAILURE;
    if (m_world.behaviour.registersWhenStarted) {
        if (const HRESULT result = m_application.registerRunning(); FAILED(result))
            return result;
    }
    return m_application.QueryInterface(iid, object);
}

HRESULT FakeClassFactory::LockServer(BOOL) {
    return S_OK;
}

} // namespace fakeword
