#pragma once

#include <cstdint>

#include "framework/command_ids.h"
#include "framework/services.h"

namespace core {

// The decisions of EasyJoin, difference by difference. The walk edits nothing itself: it
// sends the main window's ordinary commands (copy a difference, next difference, the skip
// commands) and hears from the panes, through its dialog's OK command, that a pass ended.
// It holds the document's move to the next difference after a copy off for its whole life,
// since it moves on by itself, and edit mode on, since the user asked for a merge; both are
// as they were afterwards.
class EasyJoinWalk {
public:
    // What the walk needs of the dialog that shows it.
    class Dialog {
    public:
        virtual ~Dialog() = default;
        // To the main window through the normal routing: a disabled command does nothing.
        virtual void sendCommand(framework::CommandId id) = 0;
        virtual void end() = 0;
    };

    static constexpr const char* kBothReadOnly = "Both files are in read-only mode!";
    static constexpr const char* kReviewSkipped = "It was last difference. Would you like to review skipped?";

    EasyJoinWalk(bool sourceReadOnly, bool destinationReadOnly, bool& editMode, bool& moveNextHeld,
                 framework::Services& services, Dialog& dialog);
    ~EasyJoinWalk();
    EasyJoinWalk(const EasyJoinWalk&) = delete;
    EasyJoinWalk& operator=(const EasyJoinWalk&) = delete;

    // False, after telling the user, when neither file may be changed: then there is no walk.
    bool open();
    bool canCopyToTarget() const { return !destinationReadOnly; }
    bool canCopyToSource() const { return !sourceReadOnly; }

    // The buttons ">>", "<<" and "Skip".
    void copyToTarget();
    void copyToSource();
    void skip();
    // The panes found no further difference, or no skipped one is left.
    void endOfPass();

    std::int32_t skips() const { return skipCount; }
    bool isReviewing() const { return reviewing; }

private:
    void advance(bool skipped);

    std::int32_t skipCount = 0;
    bool reviewing = false;
    bool sourceReadOnly;
    bool destinationReadOnly;
    bool& editMode;
    bool savedEditMode;
    bool& moveNextHeld;
    bool savedMoveNextHeld;
    framework::Services& m_services;
    Dialog& m_dialog;
};

} // namespace core
