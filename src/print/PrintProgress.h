#pragma once

// Told how far a long print has come; the user can ask it to stop.
class PrintProgress
{
public:
    virtual ~PrintProgress() = default;

    // Called after each recipe; true when the print is to stop.
    virtual bool cancelled(int printed, int total) = 0;
};
