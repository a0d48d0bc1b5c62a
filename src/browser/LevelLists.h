#pragma once

class QComboBox;

namespace velmora::browser {

struct FillTargets;
struct ListRows;

// A level's pair of lists: the view page's and the edit page's.
struct LevelLists {
    QComboBox* view = nullptr;
    QComboBox* edit = nullptr;
};

// Replaces the items of the targeted lists with rows, then selects in each of
// them the position the view page's list had before (none when it had none or
// when that position is past the new end). No user-choice signal is raised.
void refillLevel(const LevelLists& lists, const FillTargets& targets, const ListRows& rows);

} // namespace velmora::browser
