#pragma once

// What one mydvd.dll command line asks for (its own arguments, program name
// left out):
//   [-y] -i ADDRESS [output options] -sn OUTPUT
// ADDRESS is a "vts://" address (dvd_address.h); the output options are the
// program's old spellings, translated as register.dat translates them.

#include "platform/encoders/core/encoder_request.h"
#include "platform/encoders/mydvd/dvd_address.h"

#include <QStringList>

struct DvdRequest {
    DvdAddress address;
    EncoderRequest encoding; // its input is the address as given
};

// Throws RequestError for a line of another form or a bad address.
DvdRequest ParseDvdRequest(const QStringList &arguments);
