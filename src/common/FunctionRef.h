// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <type_traits>
#include <utility>

template <typename Signature> class FunctionRef;

// A callable passed down a call without being copied or stored: what std::function would allocate for a lambda
// that captures a few references, this only points at. It must not outlive the callable it was made from, so it is
// for parameters only (the lambda written in the call lives until the call returns).
template <typename Result, typename... Arguments> class FunctionRef<Result(Arguments...)> {
public:
    template <typename Callable,
              typename = std::enable_if_t<!std::is_same_v<std::remove_cvref_t<Callable>, FunctionRef> &&
                                          std::is_invocable_r_v<Result, Callable&, Arguments...>>>
    FunctionRef(Callable&& callable) // NOLINT: converts like std::function does
        : m_callable(const_cast<void*>(static_cast<const void*>(std::addressof(callable)))),
          m_call([](void* target, Arguments... arguments) -> Result {
              return (*static_cast<std::remove_reference_t<Callable>*>(target))(std::forward<Arguments>(arguments)...);
          }) {}

    Result operator()(Arguments... arguments) const {
        return m_call(m_callable, std::forward<Arguments>(arguments)...);
    }

private:
    void* m_callable;
    Result (*m_call)(void*, Arguments...);
};
