#pragma once

// libcurl is opened by name on the first transfer, not linked into the
// program: it brings some twenty-five libraries of its own (TLS, Kerberos,
// LDAP, SSH), whose loading every start would pay for before the window
// shows, though only the update check and the downloads use it. The curl_*
// functions the HTTP client calls are defined beside this header and pass
// each call on to the opened library.

#include <QString>

// Why libcurl cannot be used; empty once it is open and set up. The first
// call opens it (RAVENMOOR_LIBCURL in the environment may name another
// library file) and runs curl's global set-up.
QString CurlLibraryProblem();
