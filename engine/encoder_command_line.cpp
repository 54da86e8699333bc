#include "engine/encoder_command_line.h"

#include "engine/quote_if_spaced.h"

QString FileConversionCommandLine(const intputrec &job)
{
    // The pieces carry their own blanks; only the literals here add any.
    return QuoteIfSpaced(job.encoderPath) + QStringLiteral(" -y ") + job.extraOption + QStringLiteral(" -mardozb ") +
           QuoteIfSpaced(job.input) + job.videoPiece + job.audioBitratePiece + job.channelsPiece + job.aspectPiece +
           job.durationPiece + job.sizePiece + QStringLiteral(" ") + job.sampleRatePiece + job.profileOptions +
           QStringLiteral(" -sn ") + QStringLiteral(" ") + QuoteIfSpaced(job.output);
}

QString DvdTitleCommandLine(const intputrec &job)
{
    // Unlike the file line: " -i " for the input, the extra option after the
    // aspect, and no blank of its own before the output.
    return QuoteIfSpaced(job.encoderPath) + QStringLiteral(" -y ") + QStringLiteral(" -i ") + QuoteIfSpaced(job.input) +
           job.videoPiece + job.audioBitratePiece + job.channelsPiece + job.aspectPiece + job.extraOption +
           job.durationPiece + job.sizePiece + QStringLiteral(" ") + job.sampleRatePiece + job.profileOptions +
           QStringLiteral(" -sn ") + QuoteIfSpaced(job.output);
}
