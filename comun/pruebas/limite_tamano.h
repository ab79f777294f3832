// Límite de tamaño de fichero (RLIMIT_FSIZE) para una prueba: mientras vive,
// ningún fichero normal del proceso pasa de 'bytes' y la señal SIGXFSZ se
// ignora (la escritura que pasaría falla con EFBIG). Al acabar deja el límite
// y la señal como estaban, para no afectar al resto de las pruebas.
#pragma once

#include <csignal>
#include <sys/resource.h>

class limite_tamano {
public:
    explicit limite_tamano(rlim_t bytes)
    {
        anterior_senal_ = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &anterior_);
        struct rlimit nuevo = anterior_;
        nuevo.rlim_cur = bytes;
        puesto_ = ::setrlimit(RLIMIT_FSIZE, &nuevo) == 0;
    }
    ~limite_tamano()
    {
        ::setrlimit(RLIMIT_FSIZE, &anterior_);
        std::signal(SIGXFSZ, anterior_senal_);
    }
    limite_tamano(const limite_tamano&) = delete;
    limite_tamano& operator=(const limite_tamano&) = delete;
    bool puesto() const { return puesto_; }

private:
    struct rlimit anterior_ {};
    void (*anterior_senal_)(int) = SIG_DFL;
    bool puesto_ = false;
};
