#pragma once

// The cancel side of a running blog transfer, handed to its progress sink. The sink holds it
// through a shared pointer; letting go of the last reference detaches the sink, so a sink that
// has gone never hears from the transfer again.
class PostCancel
{
public:
    virtual ~PostCancel() = default;
    // Asks the transfer to abort; nothing is reported to the sink afterwards.
    virtual void Cancel() = 0;
};
