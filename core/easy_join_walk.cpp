#include "core/easy_join_walk.h"

namespace core {

using namespace framework;

EasyJoinWalk::EasyJoinWalk(bool sourceReadOnly, bool destinationReadOnly, bool& editMode, bool& moveNextHeld,
                           Services& services, Dialog& dialog)
    : sourceReadOnly(sourceReadOnly),
      destinationReadOnly(destinationReadOnly),
      editMode(editMode),
      savedEditMode(editMode),
      moveNextHeld(moveNextHeld),
      savedMoveNextHeld(moveNextHeld),
      m_services(services),
      m_dialog(dialog)
{
    editMode = true;
    moveNextHeld = true;
}

EasyJoinWalk::~EasyJoinWalk()
{
    editMode = savedEditMode;
    moveNextHeld = savedMoveNextHeld;
}

bool EasyJoinWalk::open()
{
    if (!sourceReadOnly || !destinationReadOnly)
        return true;
    m_services.messageBox(kBothReadOnly, MessageButtons::Ok, MessageIcon::Warning);
    return false;
}

void EasyJoinWalk::copyToTarget()
{
    m_dialog.sendCommand(ID_COPY_DIFF_TO_TARGET);
    advance(false);
}

void EasyJoinWalk::copyToSource()
{
    m_dialog.sendCommand(ID_COPY_DIFF_TO_SOURCE);
    advance(false);
}

void EasyJoinWalk::skip()
{
    ++skipCount;
    if (!reviewing)
        m_dialog.sendCommand(ID_ADD_SKIP);
    advance(true);
}

void EasyJoinWalk::advance(bool skipped)
{
    if (!reviewing)
        m_dialog.sendCommand(ID_NEXT_DIFF);
    else
        m_dialog.sendCommand(skipped ? ID_NEXT_SKIP : ID_UNSKIP);
}

void EasyJoinWalk::endOfPass()
{
    if (!reviewing && skipCount > 0
        && m_services.messageBox(kReviewSkipped, MessageButtons::YesNo, MessageIcon::Question) == MessageAnswer::Yes) {
        reviewing = true;
        m_dialog.sendCommand(ID_FIRST_SKIP);
        return;
    }
    m_dialog.end();
}

} // namespace core
