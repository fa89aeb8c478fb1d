#include "vcl50/Interaction.h"

const char* EInteractionError::ClassName() const
{
    return "EInteractionError";
}

TInteractionObserver::~TInteractionObserver() = default;
void TInteractionObserver::FormShown(TCustomForm*) {}
void TInteractionObserver::FormClosed(TCustomForm*, int) {}
void TInteractionObserver::ColorDialogRan(TColor, const std::optional<TColor>&) {}
void TInteractionObserver::FileDialogRan(const TFileDialogRequest&, const std::optional<AnsiString>&) {}
void TInteractionObserver::MessageShown(const AnsiString&) {}
void TInteractionObserver::ErrorShown(const AnsiString&) {}

namespace Interaction {
namespace {

struct State {
    TInteractionObserver silent;
    TInteractionObserver* observer = nullptr;
    std::deque<TModalHandler> handlers;
    std::deque<TDialogAnswer> answers;
};

State& Get()
{
    static State state;
    return state;
}

}  // namespace

void SetObserver(TInteractionObserver* observer)
{
    Get().observer = observer;
}

TInteractionObserver& Observer()
{
    State& s = Get();
    return s.observer ? *s.observer : s.silent;
}

void QueueModalHandler(TModalHandler handler)
{
    Get().handlers.push_back(std::move(handler));
}

bool HasModalHandler()
{
    return !Get().handlers.empty();
}

size_t PendingModalHandlers()
{
    return Get().handlers.size();
}

TModalHandler TakeModalHandler()
{
    auto& q = Get().handlers;
    if (q.empty())
        return {};
    TModalHandler h = std::move(q.front());
    q.pop_front();
    return h;
}

void QueueAnswer(TDialogAnswer answer)
{
    Get().answers.push_back(std::move(answer));
}

bool HasAnswer()
{
    return !Get().answers.empty();
}

size_t PendingAnswers()
{
    return Get().answers.size();
}

TDialogAnswer TakeAnswer()
{
    auto& q = Get().answers;
    if (q.empty())
        throw EInteractionError("No answer is queued for the dialog");
    TDialogAnswer a = q.front();
    q.pop_front();
    return a;
}

void ClearQueues()
{
    Get().handlers.clear();
    Get().answers.clear();
}

}  // namespace Interaction
