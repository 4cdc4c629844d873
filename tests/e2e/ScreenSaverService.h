#pragma once

#include <dbus/dbus.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

namespace vellix::testing {

// The desktop's screen saver, as programs reach it on the session bus: this one owns the name
// org.freedesktop.ScreenSaver, grants every Inhibit a cookie, answers every other call, and keeps
// the last call it had.
class ScreenSaverService {
public:
    ScreenSaverService() {
        bus_ = dbus_bus_get_private(DBUS_BUS_SESSION, nullptr);
        if (bus_ == nullptr) return;
        dbus_connection_set_exit_on_disconnect(bus_, FALSE);
        if (dbus_bus_request_name(bus_, "org.freedesktop.ScreenSaver", DBUS_NAME_FLAG_DO_NOT_QUEUE, nullptr) ==
            DBUS_REQUEST_NAME_REPLY_PRIMARY_OWNER)
            serving_ = std::thread([this] {
                while (!stop_ && dbus_connection_read_write(bus_, 50))
                    while (DBusMessage* message = dbus_connection_pop_message(bus_)) {
                        if (dbus_message_get_type(message) == DBUS_MESSAGE_TYPE_METHOD_CALL &&
                            dbus_message_has_interface(message, "org.freedesktop.ScreenSaver"))
                            answer(message);
                        dbus_message_unref(message);
                    }
            });
    }
    ~ScreenSaverService() {
        stop_ = true;
        if (serving_.joinable()) serving_.join();
        if (bus_ != nullptr) dbus_connection_close(bus_), dbus_connection_unref(bus_);
    }

    bool serving() const { return serving_.joinable(); }
    // "Inhibit <application>: <reason>", "UnInhibit", another method's name, or "" before any call.
    std::string lastCall() const {
        const std::lock_guard<std::mutex> lock(mutex_);
        return lastCall_;
    }

private:
    void answer(DBusMessage* call) {
        std::string said = dbus_message_get_member(call);
        DBusMessage* reply = dbus_message_new_method_return(call);
        const char *application = nullptr, *reason = nullptr;
        if (said == "Inhibit" && dbus_message_get_args(call, nullptr, DBUS_TYPE_STRING, &application, DBUS_TYPE_STRING,
                                                       &reason, DBUS_TYPE_INVALID)) {
            said += std::string(" ") + application + ": " + reason;
            const dbus_uint32_t cookie = ++cookies_;
            dbus_message_append_args(reply, DBUS_TYPE_UINT32, &cookie, DBUS_TYPE_INVALID);
        }
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            lastCall_ = said;
        }
        dbus_connection_send(bus_, reply, nullptr);
        dbus_message_unref(reply);
    }

    DBusConnection* bus_ = nullptr;
    std::thread serving_;
    std::atomic<bool> stop_ = false;
    dbus_uint32_t cookies_ = 0;
    mutable std::mutex mutex_;
    std::string lastCall_;
};

}  // namespace vellix::testing
