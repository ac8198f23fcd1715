#pragma once

#include "fakeword.h"

#include <future>
#include <memory>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

namespace fakeword {

// Where the fake Word lives: in the apartment of the code under test, whose calls then reach it
// directly, or in an apartment of its own, whose calls go through proxies and marshalling.
enum class Apartment { Caller, OwnThread };
void PrintTo(Apartment apartment, std::ostream* out);

// What the code under test still holds of Word's objects after it has finished. References to the
// application are counted directly in its own apartment; from another apartment they are counted
// as external connections, since there the stubs keep references of their own.
struct Leaks {
    int objectsAlive = 0;
    long applicationReferences = 0;

    bool operator==(const Leaks&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Leaks& leaks);

// Makes "Word.Application" name the fake's class id for as long as it lives. It rewrites the
// machine's registration, so the tests refuse to run anywhere but in Wine.
class InstalledWord {
public:
    InstalledWord();
    ~InstalledWord();
    InstalledWord(const InstalledWord&) = delete;
    InstalledWord& operator=(const InstalledWord&) = delete;
};

// The fake Word registered as a local server in the current apartment, for as long as it lives.
class FakeServer {
public:
    explicit FakeServer(World& world);
    ~FakeServer();
    FakeServer(const FakeServer&) = delete;
    FakeServer& operator=(const FakeServer&) = delete;

    Leaks leaksInThisApartment() const;
    Leaks leaksFromOtherApartments() const;

private:
    World& m_world;
    Microsoft::WRL::ComPtr<FakeApplication> m_application;
    Microsoft::WRL::ComPtr<FakeClassFactory> m_factory;
    DWORD m_classCookie = 0;
};

// Runs a FakeServer on a thread of its own: a single-threaded apartment with a message loop.
class ServerThread {
public:
    explicit ServerThread(World& world);
    ~ServerThread();
    ServerThread(const ServerThread&) = delete;
    ServerThread& operator=(const ServerThread&) = delete;

    // Read while the thread still runs: ending its apartment frees whatever was leaked.
    Leaks leaks() const { return m_server->leaksFromOtherApartments(); }

private:
    void run(World& world);

    std::promise<void> m_started;
    FakeServer* m_server = nullptr;
    DWORD m_threadId = 0;
    std::thread m_thread;
};

// The fake Word of one test, set up as its behaviour says, in the apartment asked for.
class FakeWordHost {
public:
    FakeWordHost(const Behaviour& behaviour, Apartment apartment);
    ~FakeWordHost();

    std::vector<std::wstring> calls() const { return m_world.calls(); }
    bool isHanging() const { return m_world.hanging; }
    // Lets a hanging call return.
    void endHanging() { m_world.hangingEnded = true; }
    Leaks leaks() const;

private:
    World m_world;
    std::unique_ptr<InstalledWord> m_installed;
    std::unique_ptr<FakeServer> m_server;
    std::unique_ptr<ServerThread> m_thread;
};

} // namespace fakeword
