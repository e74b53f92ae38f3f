#pragma once
// Work-area discipline: every engine call for a table runs with the table's work area
// selected, and the area that was current before is selected again afterwards, so that
// two open tables never act on each other's file.

class AreaScope {
public:
    // Selects area (0 selects nothing and only remembers the current area).
    explicit AreaScope(int area);
    ~AreaScope();
    AreaScope(const AreaScope&) = delete;
    AreaScope& operator=(const AreaScope&) = delete;

private:
    int area_;
    int previous_;
};
