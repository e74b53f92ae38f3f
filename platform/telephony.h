#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

// The telephony service the call window talks to: a line that places outgoing voice calls
// and reports their progress. Results follow the service's convention: negative is failure.

enum class CallState { Idle, DialTone, Dialing, Busy, Connected, Proceeding, Disconnected, Other };
enum class DisconnectMode { Normal, Busy, Other };

// What the service reports while a call runs; the call window is the receiver.
class TelephonyEvents {
public:
    virtual ~TelephonyEvents() = default;
    // The answer to an earlier request, such as placing a call.
    virtual void LineReply(long result) = 0;
    virtual void CallStateChanged(CallState state, DisconnectMode mode) = 0;
};

class Telephony {
public:
    static constexpr std::uint32_t LineMapper = 0xFFFFFFFF;

    virtual ~Telephony() = default;
    // Starts the program's use of the service; gives the number of line devices.
    virtual long Initialize(TelephonyEvents* events, std::uint32_t& devices) = 0;
    virtual long NegotiateApiVersion(std::uint32_t device, std::uint32_t lowest, std::uint32_t highest,
                                     std::uint32_t& version) = 0;
    // Opens a line on the device (LineMapper: any that can call) for outgoing calls only.
    virtual long Open(std::uint32_t device, std::uint32_t version) = 0;
    virtual long MakeCall(const QString& number) = 0;
    virtual long Drop() = 0;
    // The application-name text of the call's information; false when there is none.
    virtual bool CallApplicationName(QString& name) = 0;
    virtual void DeallocateCall() = 0;
    virtual void Close() = 0;
    virtual void Shutdown() = 0;
};

// The service the call window uses: by default the desktop's phone handler (DesktopTelephony).
std::unique_ptr<Telephony> CreateTelephony();
using TelephonyFactory = std::function<std::unique_ptr<Telephony>()>;
// Installs a factory (tests install a double) and returns the one it replaces; an empty one
// restores the default.
TelephonyFactory SetTelephonyFactory(TelephonyFactory factory);

// Linux has no telephony service of its own. Softphones and phone-link programs register for
// "tel:" links instead, so this service has one device when such a handler is registered and
// none otherwise. A call hands "tel:<number>" to that handler, then reports "Dialing" and,
// once handed over, "Idle": the call itself goes on in the handler's window.
class DesktopTelephony : public Telephony {
public:
    // handlerRegistered says whether a "tel:" handler exists; the default asks the desktop.
    explicit DesktopTelephony(std::function<bool()> handlerRegistered = {});

    long Initialize(TelephonyEvents* events, std::uint32_t& devices) override;
    long NegotiateApiVersion(std::uint32_t device, std::uint32_t lowest, std::uint32_t highest,
                             std::uint32_t& version) override;
    long Open(std::uint32_t device, std::uint32_t version) override;
    long MakeCall(const QString& number) override;
    long Drop() override;
    bool CallApplicationName(QString& name) override;
    void DeallocateCall() override {}
    void Close() override { open_ = false; }
    void Shutdown() override { events_ = nullptr; }

private:
    std::function<bool()> handlerRegistered_;
    TelephonyEvents* events_ = nullptr;
    std::uint32_t devices_ = 0;
    bool open_ = false;
    QObject context_; // reports still queued die with the service
};

// Whether the desktop has a program registered for "tel:" links.
bool DesktopHasTelHandler();
