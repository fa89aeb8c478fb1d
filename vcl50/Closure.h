#pragma once
// The platform's method pointer (`procedure of object`): an event that calls a handler, either a
// published method bound by name (as form resources do, so the name can be written back) or any
// callable that code installs.

#include <functional>
#include <string>
#include <typeinfo>
#include <utility>

#include "vcl50/System.h"

template <class... Args>
class TEvent {
public:
    using Signature = void(Args...);

    TEvent() = default;
    TEvent(std::nullptr_t) {}
    template <class F>
        requires std::is_invocable_v<F&, Args...> && (!std::is_same_v<std::decay_t<F>, TEvent>)
    TEvent(F handler) : FHandler(std::move(handler)) {}
    template <class C>
        requires std::is_base_of_v<TObject, C>
    TEvent(C* data, void (C::*method)(Args...))
        : FHandler([data, method](Args... args) { (data->*method)(std::forward<Args>(args)...); }),
          FData(data)
    {
    }

    // Binds a published method of `data`; false when its signature is not this event's.
    bool Bind(TObject* data, const TMethodEntry& method)
    {
        if (method.Signature != typeid(Signature))
            return false;
        auto code = *static_cast<void (TObject::* const*)(Args...)>(method.Code.get());
        FHandler = [data, code](Args... args) { (data->*code)(std::forward<Args>(args)...); };
        FData = data;
        FMethodName = method.Name;
        return true;
    }

    explicit operator bool() const { return static_cast<bool>(FHandler); }
    void operator()(Args... args) const
    {
        if (FHandler)
            FHandler(std::forward<Args>(args)...);
    }

    // The object whose method is bound (null for a plain callable) and the published method's
    // name (empty unless bound by name).
    TObject* Data() const { return FData; }
    const std::string& MethodName() const { return FMethodName; }

private:
    std::function<Signature> FHandler;
    TObject* FData = nullptr;
    std::string FMethodName;
};

using TNotifyEvent = TEvent<TObject*>;
