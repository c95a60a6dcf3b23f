#pragma once
// The job the agent finds in "BID.TDL" when its window is first shown.
#include <QString>

struct AgentJob {
    bool timeProbe = true;  // no readable job file counts as a time probe
    QString text;           // the job file's text; empty when it could not be read
};

// Reads the job file of the current directory; never raises.
AgentJob LoadAgentJob();
