#include "wordprocessor/writer/officeconnection.h"

#include "wordprocessor/api/wordprocessor.h"
#include "wordprocessor/writer/officeerror.h"
#include "wordprocessor/writer/pipefile.h"
#include "wordprocessor/writer/unostring.h"

#include <com/sun/star/bridge/BridgeFactory.hpp>
#include <com/sun/star/bridge/XBridge.hpp>
#include <com/sun/star/connection/Connector.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <csignal>
#include <rtl/bootstrap.hxx>
#include <unistd.h>

using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

namespace {

// The UNO runtime of this process, started once. It is never torn down: ending it while the
// program exits would gain nothing and risks a crash.
Reference<css::uno::XComponentContext> localContext() {
    static const auto* const context = [] {
        // The bridge writes to the office's pipe with plain writes: an office that closes the
        // pipe as it starts or ends would otherwise end this whole program with SIGPIPE, where
        // the call should fail with an error. The office started from here gets the default back.
        std::signal(SIGPIPE, SIG_IGN);
        // Without it the runtime finds no type library and the first remote call crashes.
        rtl::Bootstrap::set("URE_BOOTSTRAP",
                            "vnd.sun.star.pathname:" SCARABO_LIBREOFFICE_PROGRAM_DIR
                            "/fundamentalrc");
        return new Reference<css::uno::XComponentContext>(
            cppu::defaultBootstrap_InitialComponentContext());
    }();
    return *context;
}

RuntimeError nobodyListens(const QString& pipeName) {
    return RuntimeError(
        ErrorNumber::CannotCreateObject,
        QStringLiteral("no LibreOffice accepts connections on the pipe \"%1\"").arg(pipeName));
}

// Refuses a pipe file that another account controls before anything is sent through it.
void requireSafePipe(const QString& pipeName) {
    const QString file = PipeFile::path(pipeName);
    const PipeFile::Finding found = PipeFile::inspect(file, ::getuid());
    if (found.kind == PipeFile::Finding::Kind::Unsafe) {
        throw RuntimeError(ErrorNumber::PermissionDenied,
                           QStringLiteral("%1 %2; not connected").arg(file, found.problem));
    }
    if (found.kind == PipeFile::Finding::Kind::Missing)
        throw nobodyListens(pipeName);
}

AbortSwitch::Bridge createBridge(const QString& pipeName) {
    try {
        const auto local = localContext();
        const auto connection = css::connection::Connector::create(local)->connect(
            toOUString(QStringLiteral("pipe,name=") + pipeName));
        return AbortSwitch::Bridge(css::bridge::BridgeFactory::create(local)->createBridge(
                                       rtl::OUString(), "urp", connection, nullptr),
                                   UNO_QUERY_THROW);
    } catch (const css::connection::NoConnectException&) {
        throw nobodyListens(pipeName);
    } catch (const css::uno::Exception& error) {
        throw RuntimeError(ErrorNumber::CannotCreateObject, toQString(error.Message));
    }
}

} // namespace

std::unique_ptr<OfficeConnection> OfficeConnection::open(const QString& pipeName,
                                                         std::shared_ptr<AbortSwitch> abortSwitch) {
    abortSwitch->throwIfAborted();
    requireSafePipe(pipeName);
    std::unique_ptr<OfficeConnection> office(
        new OfficeConnection(createBridge(pipeName), abortSwitch));
    callOffice(*abortSwitch, [&office] {
        const Reference<css::bridge::XBridge> bridge(office->m_bridge, UNO_QUERY_THROW);
        office->m_context.set(bridge->getInstance("StarOffice.ComponentContext"), UNO_QUERY_THROW);
        office->m_desktop = css::frame::Desktop::create(office->m_context);
    });
    return office;
}

OfficeConnection::OfficeConnection(AbortSwitch::Bridge bridge,
                                   std::shared_ptr<AbortSwitch> abortSwitch)
    : m_bridge(std::move(bridge))
    , m_abortSwitch(std::move(abortSwitch)) {
    m_abortSwitch->watch(m_bridge);
}

OfficeConnection::~OfficeConnection() {
    m_desktop.clear();
    m_context.clear();
    m_abortSwitch->unwatch(m_bridge);
    try {
        m_bridge->dispose();
    } catch (const css::uno::Exception&) {
        // Already ended from the other side.
    }
}
