#pragma once

#include <QString>

// Texts of the radio link that the shared message table does not hold.
enum class LinkMsg {
    PortLost,       // the port failed or vanished during a transfer
    LaunchFailed,   // the matching software version could not be started
    PermissionHint, // what to do when the port is refused; %1 is the device's group
    Count
};

QString LinkText(LinkMsg key, int language);
// "Cannot Open Communication Port." plus, when the system refused the device, what the user
// can do about it; an unknown group is taken to be "dialout".
QString OpenFailureText(bool permissionRefused, const QString& deviceGroup, int language);
