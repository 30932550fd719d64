#pragma once
// Hooks: callbacks with the sender first and writable (reference) parameters
// for vetoes and replacement values, e.g.
//   THook<void(TVxCustomBand *sender, bool &printBand)>
// A hook is a value: a component that must act on another component's hook
// copies the hook that is set, installs its own handler, calls the kept copy
// from it and puts it back when done.
//
// Hooks are published properties like any other (their property type is a
// THook instantiation), so property access by name can read, set and clear
// them. HandlerName is the name a template gives the handler, if any; it is
// what a writer puts into the template for a set hook.

#include <QObject>
#include <QString>
#include <functional>
#include <type_traits>
#include <utility>

namespace zelmio {

// The part every hook shares, so that generic code can ask whether a hook of
// unknown signature is set.
class THookBase {
public:
    bool Assigned() const { return m_assigned; }
    const QString &HandlerName() const { return m_handlerName; }
    void SetHandlerName(const QString &name) { m_handlerName = name; }

protected:
    QString m_handlerName;
    bool m_assigned = false;
};

template <class Signature>
class THook;

template <class Result, class... Args>
class THook<Result(Args...)> : public THookBase {
public:
    using Function = std::function<Result(Args...)>;

    THook() = default;
    THook(Function function, const QString &handlerName = QString())
        : m_function(std::move(function))
    {
        m_handlerName = handlerName;
        m_assigned = bool(m_function);
    }
    template <class Callable,
              class = std::enable_if_t<std::is_invocable_r_v<Result, Callable, Args...>
                                       && !std::is_same_v<std::decay_t<Callable>, THook>
                                       && !std::is_same_v<std::decay_t<Callable>, Function>>>
    THook(Callable callable)
        : m_function(std::move(callable))
    {
        m_assigned = bool(m_function);
    }

    explicit operator bool() const { return m_assigned; }

    // Calls the handler; an unset hook does nothing and yields a default result.
    Result operator()(Args... args) const
    {
        if (!m_function) {
            if constexpr (std::is_void_v<Result>)
                return;
            else
                return Result();
        }
        return m_function(std::forward<Args>(args)...);
    }

    void Clear()
    {
        m_function = nullptr;
        m_handlerName.clear();
        m_assigned = false;
    }

private:
    Function m_function;
};

// Hooks shared by several classes.
// (Sender)
using TNotifyEvent = THook<void(QObject *sender)>;
// (Sender; var MoreData): a data loop without a record set asks for records.
using TVxNeedDataEvent = THook<void(QObject *sender, bool &moreData)>;

} // namespace zelmio
