#include "data/OrbThread.h"

#include "data/ThreadForm.h"

#include <QApplication>
#include <QProgressBar>

namespace Orb {

TOrbThread::TOrbThread(QObject *parent)
    : QObject(parent)
{
}

TOrbThread::~TOrbThread()
{
    Stop();
}

void TOrbThread::Start()
{
    if (m_active)
        return;
    m_stop = false;
    if (!qobject_cast<QApplication *>(QCoreApplication::instance())) {
        m_active = true;   // no window without a GUI; the operation still reports
        return;
    }
    try {
        m_form = new TThreadForm(Kind);
        m_form->setWindowTitle(Caption);
        m_form->ProgressBar1->setVisible(ShowBar1);
        m_form->ProgressBar2->setVisible(ShowBar2);
        m_form->ProgressBar3->setVisible(ShowBar3);
        m_form->ProgressBar1->setRange(0, m_max1);
        m_form->ProgressBar1->setValue(0);
        m_form->ProgressBar2->setRange(0, m_max2);
        m_form->ProgressBar2->setValue(0);
        m_form->ProgressBar3->setValue(0);
        m_form->resize(m_form->width(), 158);
        QCoreApplication::processEvents();
        m_form->show();
        m_form->repaint();
        m_active = true;
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } catch (...) {
        delete m_form;
        m_active = false;
    }
}

void TOrbThread::Stop()
{
    if (m_form) {
        delete m_form;
        QApplication::restoreOverrideCursor();
    }
    m_active = false;
}

void TOrbThread::SetMax1(int n)
{
    m_max1 = n;
    if (m_form) {
        m_form->ProgressBar1->setRange(0, n);
        m_form->ProgressBar1->setValue(0);
    }
}

void TOrbThread::SetPosition1(int n)
{
    if (m_form)
        m_form->ProgressBar1->setValue(n);
    QCoreApplication::processEvents();
}

void TOrbThread::SetMax2(int n)
{
    m_max2 = n;
    if (m_form) {
        m_form->ProgressBar2->setRange(0, n);
        m_form->ProgressBar2->setValue(0);
    }
}

void TOrbThread::SetPosition2(int n)
{
    if (m_form)
        m_form->ProgressBar2->setValue(n);
    QCoreApplication::processEvents();
    pollStop();
}

void TOrbThread::pollStop()
{
    if (m_form)
        m_stop = m_stop || m_form->stopRequested();
}

bool TOrbThread::ProgressBar1()
{
    pollStop();
    return m_form ? m_form->ProgressBar1->isVisible() : ShowBar1;
}

bool TOrbThread::ProgressBar2()
{
    pollStop();
    return m_form ? m_form->ProgressBar2->isVisible() : ShowBar2;
}

bool TOrbThread::ProgressBar3()
{
    pollStop();
    return m_form ? m_form->ProgressBar3->isVisible() : ShowBar3;
}

} // namespace Orb

namespace Orb {

TThreadForm *TOrbThread::window() const
{
    return m_form;
}

} // namespace Orb
