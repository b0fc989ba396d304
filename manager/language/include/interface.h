#pragma once

// Process-wide access to the program's single object of type T.
// The first T constructed becomes the instance; it stops being one when destroyed,
// so GetInstance never returns a dangling pointer.
template <class T>
class IInterface {
public:
    static T* GetInstance() noexcept { return static_cast<T*>(s_instance); }

    IInterface(const IInterface&) = delete;
    IInterface& operator=(const IInterface&) = delete;

protected:
    IInterface() noexcept {
        if (s_instance == nullptr) s_instance = this;
    }
    virtual ~IInterface() {
        if (s_instance == this) s_instance = nullptr;
    }

private:
    inline static IInterface* s_instance = nullptr;
};
