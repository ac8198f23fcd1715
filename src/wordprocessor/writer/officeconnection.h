#pragma once

#include "wordprocessor/writer/abortswitch.h"

#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <memory>
#include <QString>

// One UNO connection to an office that accepts connections on a named pipe
// ("uno:pipe,name=...;urp;StarOffice.ComponentContext"): the office's component context and its
// desktop, valid while the object lives. Destroying it ends the bridge; the office runs on.
class OfficeConnection {
public:
    // Connects only when the pipe's file is safe (see PipeFile). Throws RuntimeError: 70 when it
    // is not, 429 when no office accepts connections on the pipe, 462 when the office hangs up or
    // does not answer within the switch's answer timeout, 18 when aborted meanwhile.
    static std::unique_ptr<OfficeConnection> open(const QString& pipeName,
                                                  std::shared_ptr<AbortSwitch> abortSwitch);
    ~OfficeConnection();
    OfficeConnection(const OfficeConnection&) = delete;
    OfficeConnection& operator=(const OfficeConnection&) = delete;

    const css::uno::Reference<css::uno::XComponentContext>& context() const { return m_context; }
    const css::uno::Reference<css::frame::XDesktop2>& desktop() const { return m_desktop; }
    AbortSwitch& abortSwitch() const { return *m_abortSwitch; }

private:
    OfficeConnection(AbortSwitch::Bridge bridge, std::shared_ptr<AbortSwitch> abortSwitch);

    AbortSwitch::Bridge m_bridge;
    std::shared_ptr<AbortSwitch> m_abortSwitch;
    css::uno::Reference<css::uno::XComponentContext> m_context;
    css::uno::Reference<css::frame::XDesktop2> m_desktop;
};
