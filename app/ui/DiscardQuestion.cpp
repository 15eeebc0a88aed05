#include "DiscardQuestion.h"

#include "EditorContext.h"
#include "FileMenu.h"
#include "Messages.h"

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
        return FileMenu(ctx).save();
    default:
        return false;
    }
}

} // namespace zw
