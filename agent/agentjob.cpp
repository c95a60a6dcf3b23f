#include "agentjob.h"

#include "errors.h"
#include "jobfiles.h"
#include "textfile.h"

AgentJob LoadAgentJob()
{
    AgentJob job;
    try {
        job.text = FromNarrow(ReadWholeFile(jobfiles::kJobFile));
        job.timeProbe = jobfiles::IsTimeProbe(job.text);
    } catch (const FileError &) {
        // A missing or unreadable job file leaves a time probe with no job text.
        job = AgentJob();
    }
    return job;
}
