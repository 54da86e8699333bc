#include "main/register_probe.h"

#include "engine/media_probe.h"

ProbeFacts RegisterProbe::probe(const QString &commandLine, const QString &workingFolder)
{
    const ProbeResult r = RunProbeLine(commandLine, workingFolder);
    ProbeFacts facts;
    facts.duration = r.info.duration;
    facts.totalBitrate = r.totalBitrate;
    facts.videoBitrate = r.info.videoBitrate;
    facts.audioBitrate = r.info.audioBitrate;
    facts.frameSize = r.info.frameSize;
    facts.videoCodec = r.info.videoCodec;
    facts.frameRate = r.info.frameRate;
    facts.audioCodec = r.info.audioCodec;
    facts.sampleRate = r.info.sampleRate;
    facts.channels = r.info.channels;
    return facts;
}
