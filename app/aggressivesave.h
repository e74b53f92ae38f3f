#pragma once

// Counts saves for aggressive saving: level 1 closes and reopens the file after every
// fifth save, any higher level after every save, level 0 never.
class AggressiveSaveCounter
{
public:
    // Counts one save; true when the file is now due to go to disk.
    bool CountSave(int level);
    int Count() const { return Counter; }
    void Reset() { Counter = 0; }

private:
    int Counter = 0;
};
