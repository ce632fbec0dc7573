#pragma once

#include "link/SerialLink.h"

#include <QString>

// Texts of the radio link that the shared message table does not hold.
enum class LinkMsg {
    PortLost,         // the port failed or vanished during a transfer
    LaunchFailed,     // the matching software version could not be started
};

QString LinkText(LinkMsg key, int language);
// "Cannot Open Communication Port." plus, where it helps, what the user can do about it.
QString OpenFailureText(const LinkOpenResult& result, int language);
