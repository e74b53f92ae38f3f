#pragma once

#include "platform/telephony.h"

#include <QStringList>

// A telephony service for tests: answers each request with the result set for it, records
// the requests, and lets the test report call states to the window as the service would.
class TelephonyDouble : public Telephony {
public:
    struct Script {
        std::uint32_t devices = 1;
        long initialize = 0, negotiate = 0, open = 0, makeCall = 1, drop = 0;
        QString applicationName;
        QStringList requests;
        TelephonyEvents* events = nullptr;
    };

    // Installs a factory handing out doubles that share the script, for the object's life.
    class Installed {
    public:
        Installed() : previous_(SetTelephonyFactory([this] { return std::make_unique<TelephonyDouble>(script); })) {}
        ~Installed() { SetTelephonyFactory(previous_); }
        Script script;

    private:
        TelephonyFactory previous_;
    };

    explicit TelephonyDouble(Script& script) : s(script) {}

    long Initialize(TelephonyEvents* events, std::uint32_t& devices) override
    {
        s.requests << "initialize";
        s.events = events;
        devices = s.devices;
        return s.initialize;
    }
    long NegotiateApiVersion(std::uint32_t device, std::uint32_t lowest, std::uint32_t highest,
                             std::uint32_t& version) override
    {
        s.requests << QStringLiteral("negotiate %1 %2 %3").arg(device).arg(lowest, 0, 16).arg(highest, 0, 16);
        version = 0x00020000;
        return s.negotiate;
    }
    long Open(std::uint32_t device, std::uint32_t version) override
    {
        s.requests << QStringLiteral("open %1 %2").arg(device, 0, 16).arg(version, 0, 16);
        return s.open;
    }
    long MakeCall(const QString& number) override
    {
        s.requests << "call " + number;
        return s.makeCall;
    }
    long Drop() override
    {
        s.requests << "drop";
        return s.drop;
    }
    bool CallApplicationName(QString& name) override
    {
        name = s.applicationName;
        return !name.isEmpty();
    }
    void DeallocateCall() override { s.requests << "deallocate"; }
    void Close() override { s.requests << "close"; }
    void Shutdown() override { s.requests << "shutdown"; }

private:
    Script& s;
};
