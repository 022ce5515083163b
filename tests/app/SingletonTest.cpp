#include "app/singleton.h"

#include <gtest/gtest.h>

namespace {

struct Base {
    virtual ~Base() = default;
    int padding = 7;
};

// A second base in front makes the slot's address differ from the Singleton part's.
class Service : public Base, public Singleton<Service> {
public:
    int value = 42;
};

TEST(Singleton, SlotFollowsTheInstancesLife)
{
    EXPECT_EQ(nullptr, Service::GetSingletonPtr());
    {
        Service first;
        EXPECT_EQ(&first, Service::GetSingletonPtr());
        EXPECT_EQ(42, Service::GetSingletonPtr()->value);
    }
    EXPECT_EQ(nullptr, Service::GetSingletonPtr());
    auto second = std::make_unique<Service>();
    EXPECT_EQ(second.get(), Service::GetSingletonPtr());
}

TEST(SingletonDeathTest, SecondInstanceIsAProgrammingError)
{
    EXPECT_DEATH(
        {
            Service one;
            Service two;
        },
        "singleton");
}

} // namespace
