#include "platform/encoders/mydvd/dvd_request.h"

DvdRequest ParseDvdRequest(const QStringList &arguments)
{
    const qsizetype at = arguments.indexOf(QStringLiteral("-i"));
    if (at < 0 || at + 1 >= arguments.size())
        throw RequestError("no input: the line needs -i followed by a vts:// address");
    DvdRequest request;
    request.address = ParseDvdAddress(arguments[at + 1]);
    request.encoding.kind = EncoderRequest::Kind::Convert;
    request.encoding.input = arguments[at + 1];
    ParseConversionOptions(arguments, at, request.encoding);
    return request;
}
