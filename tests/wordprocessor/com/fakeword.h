#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <oaidl.h>
#include <objidl.h>
#include <string>
#include <vector>
#include <windows.h>
#include <wrl/client.h>

namespace fakeword {

// The class id the fake registers under "Word.Application"; it belongs to these tests alone.
inline constexpr CLSID classId = {
    0x46ce19f1, 0x386d, 0x43b0, {0xaa, 0x49, 0x21, 0x64, 0x36, 0xb5, 0x83, 0xab}};

// How the fake Word behaves in one test.
struct Behaviour {
    bool installed = true;            // "Word.Application" names the fake's class id
    bool startable = true;            // its class object is there for a start
    bool startFails = false;          // ... but refuses to create Word
    bool registersWhenStarted = true; // a started Word enters the running-object table
    bool running = true;              // Word is in the running-object table from the outset
    std::int32_t openDocuments = 1;
    int failingPicture = 0; // which AddPicture call (counting from 1) fails; 0: none
    int hangingCall = 0; // which call (counting from 1, as recorded) does not return until told to
    bool visibleFails = false;
};

// What the fake's objects share: how Word behaves, every call it received, and what is alive.
class World {
public:
    explicit World(const Behaviour& setUp)
        : behaviour(setUp)
        , openDocuments(setUp.openDocuments) {}

    // Answers how many calls there have been so far, this one included.
    std::size_t record(std::wstring call);
    std::vector<std::wstring> calls() const;

    const Behaviour behaviour;
    std::int32_t openDocuments;
    int picturesAsked = 0;
    // The fake's automation objects not yet destroyed, the application included.
    std::atomic<int> objectsAlive{0};
    std::atomic<bool> hanging{false};
    std::atomic<bool> hangingEnded{false};

private:
    mutable std::mutex m_mutex;
    std::vector<std::wstring> m_calls;
};

enum class MemberKind { ReadOnlyProperty, Property, Method };

struct Member {
    const wchar_t* name;
    MemberKind kind;
    std::vector<const wchar_t*> parameters = {};
    std::size_t required = 0;
};

// One call that the fake accepted: its arguments bound to the member's parameters, null where
// left out.
struct Invocation {
    DISPID member;
    bool put;
    std::vector<const VARIANT*> arguments;
    VARIANT* result;
    EXCEPINFO* exception;
};

// An automation object that answers to member names as Word's does, checks the arguments the way
// IDispatch implementations do, and records every call with its arguments by parameter name.
class FakeDispatch : public IDispatch {
public:
    FakeDispatch(World& world, const wchar_t* typeName, std::vector<Member> members);
    virtual ~FakeDispatch();
    FakeDispatch(const FakeDispatch&) = delete;
    FakeDispatch& operator=(const FakeDispatch&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override;

    ULONG references() const { return m_references; }

protected:
    World& world() { return m_world; }
    virtual HRESULT perform(const Invocation& call) = 0;

private:
    HRESULT bind(const Member& member, bool put, const DISPPARAMS& params,
                 std::vector<const VARIANT*>& bound) const;
    std::wstring describe(const Member& member, bool put,
                          const std::vector<const VARIANT*>& bound) const;

    World& m_world;
    const wchar_t* m_typeName;
    std::vector<Member> m_members;
    std::atomic<ULONG> m_references{1};
};

// Word's Application object. It counts the references other apartments hold through
// IExternalConnection, and knows how many references it has when nobody uses it.
class FakeApplication : public FakeDispatch, public IExternalConnection {
public:
    explicit FakeApplication(World& world);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return FakeDispatch::AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return FakeDispatch::Release(); }

    DWORD STDMETHODCALLTYPE AddConnection(DWORD kind, DWORD reserved) override;
    DWORD STDMETHODCALLTYPE ReleaseConnection(DWORD kind, DWORD reserved,
                                              BOOL lastReleaseCloses) override;

    // Enters the running-object table, as Word does once it has started.
    HRESULT registerRunning();
    void revokeRunning();

    long unreleasedReferences() const { return static_cast<long>(references()) - m_idleReferences; }
    long externalConnections() const { return m_connections; }

protected:
    HRESULT perform(const Invocation& call) override;

private:
    enum : DISPID { Documents, Selection, Visible };

    long m_idleReferences = 1;
    std::atomic<long> m_connections{0};
    DWORD m_runningCookie = 0;
};

// The class object that starts the fake Word.
class FakeClassFactory : public IClassFactory {
public:
    FakeClassFactory(World& world, FakeApplication& application);
    virtual ~FakeClassFactory() = default;
    FakeClassFactory(const FakeClassFactory&) = delete;
    FakeClassFactory& operator=(const FakeClassFactory&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    World& m_world;
    FakeApplication& m_application;
    std::atomic<ULONG> m_references{1};
};

// Hands a new object's one reference to a ComPtr. (Attach would not do: mingw-w64's adds a
// reference of its own.)
template <class Object> Microsoft::WRL::ComPtr<Object> adopt(Object* fresh) {
    Microsoft::WRL::ComPtr<Object> owner(fresh);
    fresh->Release();
    return owner;
}

} // namespace fakeword
