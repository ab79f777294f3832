// Las ventanas de un programa: cada una se crea una vez, en su orden, en el
// puntero que la nombra en todo el programa, y todas se destruyen al final
// en el orden contrario, con sus punteros de vuelta a nulo.
#pragma once

#include <functional>
#include <vector>

class conjunto_ventanas {
public:
    // Crea las ventanas en el orden dado.
    template <class... T>
    void crea(T*&... punteros)
    {
        (crea_una(punteros), ...);
    }
    // Destruye las creadas, de la última a la primera.
    void destruye()
    {
        while (!destructores_.empty()) {
            destructores_.back()();
            destructores_.pop_back();
        }
    }

private:
    template <class T>
    void crea_una(T*& puntero)
    {
        puntero = new T;
        destructores_.push_back([&puntero] {
            delete puntero;
            puntero = nullptr;
        });
    }
    std::vector<std::function<void()>> destructores_;
};
