// SPDX-License-Identifier: MIT
// File permissions that hold in tests whoever runs them. The superuser
// reads and writes every file whatever its mode, so a test of a read-only
// folder or an unreadable file would prove nothing when run as root (as in
// many build containers). While a `PermissionsEnforced` exists, this
// process gives up the powers that override file modes, and gets them back
// when it ends; for an ordinary user it changes nothing.
#pragma once

class PermissionsEnforced {
  public:
    PermissionsEnforced();
    ~PermissionsEnforced();
    PermissionsEnforced(const PermissionsEnforced&) = delete;
    PermissionsEnforced& operator=(const PermissionsEnforced&) = delete;

    // False when the process could not give the powers up: the modes of
    // files then do not bind it, and the test should be skipped.
    bool Holds() const { return holds_; }

  private:
    bool lowered_ = false;
    bool holds_ = false;
};
