#include "zefirant/motor/problema.h"

#include <new>

problema* problema_actual = nullptr;

int reinicia_estado(estado& e)
{
    e.marca = 0;
    for (float& v : e.prop) v = NO_DADO;
    e.prop[E_POLI] = NO_POLI;
    for (auto& r : e.referencia) r = -1;
    return 1;
}

int crea_problema(problema** p)
{
    problema* nuevo = new (std::nothrow) problema();
    if (!nuevo) return 0;
    nuevo->gas = &nuevo->gas_propio;
    for (auto& e : nuevo->datos) reinicia_estado(e);
    for (auto& e : nuevo->estados) e.marca = 0;
    *p = nuevo;
    return 1;
}

void libera_problema(problema** p)
{
    delete *p;
    *p = nullptr;
}

void reinicia_problema(problema* p)
{
    p->num_estados = 0;
    p->num_transformaciones = 0;
    for (auto& e : p->datos) reinicia_estado(e);
    for (auto& e : p->estados) e.marca = 0;
}
