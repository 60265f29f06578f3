// Creation of framework objects by class, as the document template needs it:
// RUNTIME_CLASS(T) names a class whose objects the framework may create.
#pragma once

#include <typeinfo>

class CCmdTarget;

struct CRuntimeClass {
    const char* m_lpszClassName;
    CCmdTarget* (*m_pfnCreateObject)();
    CCmdTarget* CreateObject() const { return m_pfnCreateObject(); }
};

template <typename T>
const CRuntimeClass* RuntimeClassOf() {
    static const CRuntimeClass runtimeClass{typeid(T).name(), []() -> CCmdTarget* { return new T; }};
    return &runtimeClass;
}

#define RUNTIME_CLASS(T) RuntimeClassOf<T>()
