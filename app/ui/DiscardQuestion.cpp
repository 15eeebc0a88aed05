#include "DiscardQuestion.h"

#include "EditorContext.h"
#include "Messages.h"
#include "WaveSaving.h"

namespace zw {

bool MayDiscardDocument(EditorContext& ctx) {
    if (!ctx.session.modified())
        return true;
    const MessageAnswer answer =
        ctx.messages.show({kCautionTitle, ctx.messages.MessageText(kAskSaveChanges),
                           MessageIcon::Warning, MessageButtons::SaveDiscardCancel});
    switch (answer) {
    case MessageAnswer::Discard:
        return true;
    case MessageAnswer::Save:
        return WaveSaving(ctx).save();
    default:
        return false;
    }
}

} // namespace zw
