#pragma once
#include "app/Assert.h"

// Registers the one live instance of a service so it can be reached from anywhere.
template <typename T>
class Singleton {
public:
    Singleton()
    {
        VX_ASSERT(!ms_Singleton);
        ms_Singleton = this;
    }

    virtual ~Singleton()
    {
        VX_ASSERT(ms_Singleton);
        ms_Singleton = nullptr;
    }

    Singleton(const Singleton&) = delete;
    Singleton& operator=(const Singleton&) = delete;

    // The slot keeps the base part: the whole object exists only once
    // construction is over, so it is reached through it only then.
    static T* GetSingletonPtr() { return static_cast<T*>(ms_Singleton); }

protected:
    static inline Singleton* ms_Singleton = nullptr;
};
